#include "editor/bar/DialogLookAndFeel.h"

#include "editor/bar/BarButtonPainter.h"
#include "editor/look/Palette.h"
#include "editor/look/Rounding.h"
#include "compat/JuceCompat.h"

DialogLookAndFeel::DialogLookAndFeel()
{
    using namespace palette::dialog;
    setColour(juce::AlertWindow::backgroundColourId, background);
    setColour(juce::AlertWindow::textColourId, text);
    setColour(juce::TextEditor::backgroundColourId, fieldBackground);
    setColour(juce::TextEditor::textColourId, fieldText);
    setColour(juce::TextEditor::highlightedTextColourId, fieldHighlightedText);
    setColour(juce::TextEditor::outlineColourId, fieldOutline);
    setColour(juce::TextEditor::focusedOutlineColourId, fieldFocusedOutline);
    setColour(juce::TextButton::buttonColourId, button);
    setColour(juce::TextButton::buttonOnColourId, buttonOn);
    setColour(juce::TextButton::textColourOffId, buttonText);
    setColour(juce::TextButton::textColourOnId, buttonText);
}

void DialogLookAndFeel::drawButtonBackground(juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                             bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    paintBarButtonBody(g, (float)button.getWidth(), (float)button.getHeight(), shouldDrawButtonAsHighlighted,
                       shouldDrawButtonAsDown);
}

juce::Font DialogLookAndFeel::getTextButtonFont(juce::TextButton&, int buttonHeight)
{
    return compat::makeFont(std::min((float)buttonHeight * 0.9f, 16.0f), juce::Font::bold);
}

juce::Font DialogLookAndFeel::getAlertWindowTitleFont()
{
    return compat::makeFont(20.0f, juce::Font::bold);
}

juce::Font DialogLookAndFeel::getAlertWindowMessageFont()
{
    return compat::makeFont(16.0f, juce::Font::plain);
}

// The framework's look draws a field inside an alert window with no outline, only a line under
// it, in the outline colour the alert window gave the field (the combo boxes' outline colour).
// Here every field gets the full outline, in this look's colours.
void DialogLookAndFeel::fillTextEditorBackground(juce::Graphics& g, int, int, juce::TextEditor& field)
{
    g.fillAll(field.findColour(juce::TextEditor::backgroundColourId));
}

void DialogLookAndFeel::drawTextEditorOutline(juce::Graphics& g, int width, int height,
                                              juce::TextEditor& field)
{
    if (!field.isEnabled())
        return;
    if (field.hasKeyboardFocus(true) && !field.isReadOnly())
    {
        g.setColour(findColour(juce::TextEditor::focusedOutlineColourId));
        g.drawRect(0, 0, width, height, 2);
    }
    else
    {
        g.setColour(findColour(juce::TextEditor::outlineColourId));
        g.drawRect(0, 0, width, height, 1);
    }
}

std::vector<juce::Rectangle<int>> DialogLookAndFeel::buttonBounds(int width, int height, int numButtons)
{
    const float w = (float)width, h = (float)height;
    const int y = roundHalfAway(h * 0.72f);
    const int bh = roundHalfAway(h * 0.18f);

    if (numButtons >= 2)
    {
        const int bw = roundHalfAway(w * 0.3f);
        return {{roundHalfAway(w * 0.5f - w * 0.3f - w * 0.03f / 2.0f), y, bw, bh},
                {roundHalfAway(w * 0.5f + w * 0.03f / 2.0f), y, bw, bh}};
    }
    if (numButtons == 1)
        return {{roundHalfAway((w - w * 0.34f) * 0.5f), y, roundHalfAway(w * 0.34f), bh}};
    return {};
}

void DialogLookAndFeel::drawAlertBox(juce::Graphics& g, juce::AlertWindow& alert,
                                     const juce::Rectangle<int>& textArea, juce::TextLayout& textLayout)
{
    // The buttons are the window's text-button children, in the order they were added.
    std::vector<juce::Component*> buttons;
    for (auto* child : alert.getChildren())
        if (dynamic_cast<juce::TextButton*>(child) != nullptr)
            buttons.push_back(child);

    const auto placements = buttonBounds(alert.getWidth(), alert.getHeight(), (int)buttons.size());
    for (size_t i = 0; i < placements.size(); ++i)
        buttons[i]->setBounds(placements[i]);

    const float w = (float)alert.getWidth(), h = (float)alert.getHeight();
    const juce::Rectangle<float> box(0.0f, 0.0f, w, h);
    g.setGradientFill(juce::ColourGradient(palette::dialog::boxTop, 0.0f, 0.0f, palette::dialog::boxBottom,
                                           0.0f, h, false));
    g.fillRoundedRectangle(box, 5.0f);
    g.setColour(palette::dialog::boxOutline);
    g.drawRoundedRectangle(box, 5.0f, 1.0f);

    // The framework lays the text of a dialog with an icon out from the left, to stand beside the
    // icon; no icon is drawn here, so every line is centred, as in a dialog without one.
    for (int i = 0; i < textLayout.getNumLines(); ++i)
    {
        auto& line = textLayout.getLine(i);
        const auto extent = line.getLineBoundsX();
        line.lineOrigin.x += (textLayout.getWidth() - extent.getLength()) * 0.5f - extent.getStart();
    }

    textLayout.draw(g, juce::Rectangle<float>((float)textArea.getX() +
                                                  ((float)textArea.getWidth() - textLayout.getWidth()) / 2.0f,
                                              (float)textArea.getY() + (float)textArea.getHeight() * 0.1f,
                                              textLayout.getWidth(), textLayout.getHeight()));
}
