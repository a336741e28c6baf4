#include "editor/bar/IconButton.h"

#include "editor/bar/BarButtonPainter.h"
#include "editor/look/Palette.h"
#include "editor/look/Rounding.h"
#include "compat/JuceCompat.h"

IconButton::IconButton(const juce::String& buttonName) : juce::Button(buttonName)
{
}

void IconButton::setCaption(const juce::String& newCaption)
{
    caption = newCaption;
    repaint();
}

void IconButton::setIconKind(int kind)
{
    iconKind = kind;
    repaint();
}

void IconButton::setFixedIconSize(float width, float height)
{
    fixedIconSize = true;
    iconBoxWidth = width;
    iconBoxHeight = height;
}

void IconButton::paintButton(juce::Graphics& g, bool isOver, bool isDown)
{
    if (caption.isEmpty())
        paintIcon(g, isOver, isDown);
    else
        paintCaption(g, isOver, isDown);
}

void IconButton::paintCaption(juce::Graphics& g, bool isOver, bool isDown)
{
    const float w = (float) getWidth(), h = (float) getHeight();
    paintBarButtonBody(g, w, h, isOver, isDown);

    const float bodyWidth = std::max(w - 1.0f, 0.0f), bodyHeight = std::max(h - 1.0f, 0.0f);
    const auto font = compat::makeFont(std::max(bodyHeight * 0.5f, 11.0f), juce::Font::bold);
    const float innerLeft = 0.5f + 0.1f * bodyWidth;
    const float innerWidth = std::max(0.8f * bodyWidth, 0.0f);
    const int centredX = roundHalfAway(innerLeft + innerWidth / 2.0f - font.getStringWidthFloat(caption) / 2.0f);
    // A caption too wide to be centred starts at the margin: the fitted drawing then squeezes it
    // and ends it with an ellipsis, and its first letters never fall off the left edge.
    const int x = std::max(centredX, captionMargin);

    g.setFont(font);
    g.setColour(palette::bar::buttonText);
    g.drawFittedText(caption, x, 0, getWidth() - x - captionMargin, getHeight(), juce::Justification::centredLeft, 1);
}

void IconButton::paintIcon(juce::Graphics& g, bool isOver, bool isDown)
{
    const float w = (float) getWidth(), h = (float) getHeight();
    const float c = 0.94f * w, l = 0.94f * h; // a 3 % margin on each side

    if (isOver || isDown)
    {
        const juce::Rectangle<float> circle(0.03f * w + 0.08f * c, 0.03f * h + 0.08f * l, 0.84f * c, 0.84f * l);
        g.setColour(isDown ? palette::bar::iconCirclePressed : palette::bar::iconCircleHover);
        g.fillEllipse(circle);
        g.setColour(isDown ? palette::bar::iconRingPressed : palette::bar::iconRingHover);
        g.drawEllipse(circle, std::max(0.03f * h, 1.0f));
    }

    if (iconKind != gearIcon)
        return;

    const float boxW = fixedIconSize ? std::min(c, iconBoxWidth) : 0.64f * std::min(c, l);
    const float boxH = fixedIconSize ? std::min(l, iconBoxHeight) : 0.64f * std::min(c, l);
    const float outer = 0.42f * std::min(boxW, boxH);
    const float cx = 0.03f * w + c / 2.0f, cy = 0.03f * h + l / 2.0f;

    g.setColour(palette::bar::buttonText);
    g.drawEllipse(cx - outer, cy - outer, 2.0f * outer, 2.0f * outer, 1.6f);
    const float hub = 0.46f * outer;
    g.fillEllipse(cx - hub, cy - hub, 2.0f * hub, 2.0f * hub);
    for (int k = 0; k < 8; ++k)
    {
        const float angle = (float) k * juce::MathConstants<float>::pi / 4.0f;
        const float dx = std::cos(angle), dy = std::sin(angle);
        g.drawLine(cx + dx * 0.76f * outer, cy + dy * 0.76f * outer, cx + dx * 1.12f * outer, cy + dy * 1.12f * outer,
                   1.5f);
    }
}
