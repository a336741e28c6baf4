#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The look of every popup menu opened from the menu bar. The bar sets the three sizes from its
// height before a menu opens.
class MenuBarLookAndFeel : public juce::LookAndFeel_V4
{
public:
    float itemFontHeight = 14.0f;
    float sectionHeaderFontHeight = 13.0f;
    int itemHeight = 30;

    // Sets the three sizes for a bar of the given height.
    void setSizesForBarHeight(float barHeight);

    void drawPopupMenuBackground(juce::Graphics&, int width, int height) override;
    void drawPopupMenuItem(juce::Graphics&, const juce::Rectangle<int>& area, bool isSeparator, bool isActive,
                           bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text,
                           const juce::String& shortcutKeyText, const juce::Drawable* icon,
                           const juce::Colour* textColour) override;
    void drawPopupMenuSectionHeader(juce::Graphics&, const juce::Rectangle<int>& area,
                                    const juce::String& sectionName) override;
    juce::Font getPopupMenuFont() override;
    void getIdealPopupMenuItemSize(const juce::String& text, bool isSeparator, int standardMenuItemHeight,
                                   int& idealWidth, int& idealHeight) override;
};
