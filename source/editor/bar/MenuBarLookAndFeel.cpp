#include "editor/bar/MenuBarLookAndFeel.h"

#include "editor/look/Palette.h"
#include "editor/look/Rounding.h"
#include "compat/JuceCompat.h"

void MenuBarLookAndFeel::setSizesForBarHeight(float barHeight)
{
    itemFontHeight = barHeight * 0.28f;
    sectionHeaderFontHeight = barHeight * 0.32f;
    itemHeight = roundHalfAway(barHeight * 0.33f);
}

void MenuBarLookAndFeel::drawPopupMenuBackground(juce::Graphics& g, int width, int height)
{
    const juce::Rectangle<float> outer(1.0f, 1.0f, (float) std::max(width - 2, 0), (float) std::max(height - 2, 0));
    g.setGradientFill(juce::ColourGradient(palette::bar::menuTop, 0.0f, 0.0f, palette::bar::menuBottom, 0.0f,
                                           (float) height, false));
    g.fillRect(outer);
    g.setColour(palette::bar::outline);
    g.drawRect(outer, 1.0f);
    g.setColour(palette::bar::menuInnerOutline);
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
            g.setColour(palette::bar::menuSeparator);
            g.fillRect(x1, area.getY() + area.getHeight() / 2, x2 - x1, 1);
        }
        return;
    }

    const juce::Rectangle<int> r(area.getX() + 4, area.getY() + 1, std::max(area.getWidth() - 8, 0),
                                 std::max(area.getHeight() - 2, 0));
    auto textColour = palette::bar::menuText;
    if (isHighlighted)
    {
        g.setColour(palette::bar::menuHighlight);
        g.fillRect(r);
        textColour = palette::bar::menuHighlightedText;
    }

    g.setColour(textColour);
    // The current choice: a tick in the column before the names (and bold).
    const int tickColumn = roundHalfAway((float) r.getHeight() * 0.7f);
    if (isTicked)
    {
        const auto tick = getTickShape(1.0f);
        const auto box = juce::Rectangle<float>((float) r.getX() + 8.0f, (float) r.getY(), (float) tickColumn,
                                                (float) r.getHeight())
                             .reduced((float) r.getHeight() * 0.25f);
        g.fillPath(tick, tick.getTransformToScaleToFit(box, true));
    }
    g.setFont(compat::makeFont(itemFontHeight, isTicked ? juce::Font::bold : juce::Font::plain));
    const int textX = r.getX() + 8 + tickColumn;
    g.drawText(text, juce::Rectangle<int>(textX, r.getY(), std::max(r.getRight() - 12 - textX, 0), r.getHeight()),
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
    g.setColour(palette::bar::menuHeaderText);
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
    idealWidth += roundHalfAway((float) itemHeight * 0.7f); // the tick's column
}
