#include "editor/MenuBarLookAndFeel.h"

#include "plugin/JuceCompat.h"

void MenuBarLookAndFeel::setSizesForBarHeight(float barHeight)
{
    itemFontHeight = barHeight * 0.28f;
    sectionHeaderFontHeight = barHeight * 0.32f;
    itemHeight = (int) std::lround(barHeight * 0.33f);
}

void MenuBarLookAndFeel::drawPopupMenuBackground(juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> outer(1.0f, 1.0f, (float) std::max(width - 2, 0), (float) std::max(height - 2, 0));
    g.setGradientFill(juce::ColourGradient(juce::Colour(0xff101112), 0.0f, 0.0f, juce::Colour(0xff0f1011), 0.0f,
                                           (float) height, false));
    g.fillRect(outer);
    g.setColour(juce::Colour(0xff384452));
    g.drawRect(outer, 1.0f);
    g.setColour(juce::Colour(0xb44e4f51));
    g.drawRect(juce::Rectangle<float>(3.0f, 3.0f, (float) std::max(width - 6, 0), (float) std::max(height - 6, 0)),
               1.0f);
}

void MenuBarLookAndFeel::drawPopupMenuItem(juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator,
                                           bool, bool isHighlighted, bool isTicked, bool hasSubMenu,
                                           const juce::String& text, const juce::String&, const juce::Drawable*,
                                           const juce::Colour*)
{
    if (isSeparator)
    {
        const int x1 = area.getX() + 8, x2 = area.getRight() - 8;
        if (x2 > x1)
        {
            g.setColour(juce::Colour(0xff2a333d));
            g.fillRect(x1, area.getY() + area.getHeight() / 2, x2 - x1, 1);
        }
        return;
    }

    const juce::Rectangle<int> r(area.getX() + 4, area.getY() + 1, std::max(area.getWidth() - 8, 0),
                                 std::max(area.getHeight() - 2, 0));
    auto textColour = juce::Colour(0xf0e6eef2);
    if (isHighlighted)
    {
        g.setColour(juce::Colour(0x28ffffff));
        g.fillRect(r);
        textColour = juce::Colours::white;
    }

    g.setColour(textColour);
    g.setFont(compat::makeFont(itemFontHeight, isTicked ? juce::Font::bold : juce::Font::plain));
    g.drawText(text, juce::Rectangle<int>(r.getX() + 12, r.getY(), std::max(r.getWidth() - 24, 0), r.getHeight()),
               juce::Justification::centredLeft, true);

    if (hasSubMenu)
    {
        const float right = (float) (r.getX() + r.getWidth());
        const float centre = (float) (r.getY() + r.getHeight() / 2);
        juce::Path chevron;
        chevron.startNewSubPath(right - 17.0f, centre - 4.0f);
        chevron.lineTo(right - 12.5f, centre);
        chevron.lineTo(right - 17.0f, centre + 4.0f);
        g.strokePath(chevron, juce::PathStrokeType(1.4f));
    }
}

void MenuBarLookAndFeel::drawPopupMenuSectionHeader(juce::Graphics& g, const juce::Rectangle<int>& area,
                                                    const juce::String& sectionName)
{
    g.setColour(juce::Colours::white);
    g.setFont(compat::makeFont(sectionHeaderFontHeight, juce::Font::bold));
    g.drawText(sectionName.toUpperCase(),
               juce::Rectangle<int>(area.getX() + 10, area.getY(), std::max(area.getWidth() - 20, 0),
                                    area.getHeight()),
               juce::Justification::centredLeft, true);
}

juce::Font MenuBarLookAndFeel::getPopupMenuFont()
{
    return compat::makeFont(itemFontHeight, juce::Font::plain);
}

void MenuBarLookAndFeel::getIdealPopupMenuItemSize(const juce::String& text, bool isSeparator,
                                                   int standardMenuItemHeight, int& idealWidth, int& idealHeight)
{
    juce::LookAndFeel_V4::getIdealPopupMenuItemSize(text, isSeparator, standardMenuItemHeight, idealWidth,
                                                    idealHeight);
    idealHeight = isSeparator ? 6 : itemHeight;
}
