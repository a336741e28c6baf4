#include "editor/controls/SelectorLookAndFeel.h"

#include "editor/look/Palette.h"
#include "editor/look/Rounding.h"
#include "compat/JuceCompat.h"
#include "editor/look/TextSize.h"

float SelectorLookAndFeel::captionFontHeight(int buttonHeight, float scale)
{
    return std::max(minimumTextHeight, juce::jlimit(9.5f * scale, 18.0f * scale, (float)buttonHeight * 0.42f));
}

juce::Rectangle<int> SelectorLookAndFeel::captionArea(int buttonWidth, int buttonHeight, float scale)
{
    const int margin = roundHalfAway(4.0f * scale);
    return {margin, 0, std::max(0, buttonWidth - 2 * margin), std::max(0, buttonHeight)};
}

// A selector shows its accent only while power is on; with power off it keeps just its bold caption.
bool SelectorLookAndFeel::isLit(const juce::Button& button) const
{
    return powerOn && button.getToggleState();
}

void SelectorLookAndFeel::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                               bool shouldDrawButtonAsHighlighted,
                                               bool shouldDrawButtonAsDown)
{
    const bool lit = isLit(button);
    const auto bounds = button.getLocalBounds().toFloat().reduced(0.5f);

    // A lit selector does not react to hovering or pressing.
    const auto base = lit                             ? palette::accent.darker(0.3f)
                      : shouldDrawButtonAsDown        ? palette::panel::selectorPressed
                      : shouldDrawButtonAsHighlighted ? palette::panel::selectorHovered
                                                      : palette::panel::selector;

    g.setGradientFill(juce::ColourGradient(base.brighter(0.12f), 0.5f, 0.5f, base.darker(0.15f), 0.5f,
                                           (float)button.getHeight() - 1.0f + 0.5f, false));
    g.fillRoundedRectangle(bounds, 6.0f * scale);
    g.setColour(lit ? palette::accent : palette::panel::selectorEdge);
    g.drawRoundedRectangle(bounds, 6.0f * scale, 1.0f);
}

void SelectorLookAndFeel::drawButtonText(juce::Graphics& g, juce::TextButton& button, bool, bool)
{
    g.setColour(isLit(button) ? palette::panel::selectorLitText : palette::panel::selectorText);
    g.setFont(compat::makeFont(captionFontHeight(button.getHeight(), scale),
                               button.getToggleState() ? juce::Font::bold : juce::Font::plain));
    g.drawFittedText(button.getButtonText(), captionArea(button.getWidth(), button.getHeight(), scale),
                     juce::Justification::centred, 1, 0.0f);
}
