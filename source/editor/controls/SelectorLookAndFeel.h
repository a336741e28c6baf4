#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Draws the focus and mode selector buttons; the selected one is lit while power is on.
class SelectorLookAndFeel : public juce::LookAndFeel_V4
{
public:
    void setPowerOn(bool on) noexcept { powerOn = on; }
    void setScale(float panelScale) noexcept { scale = panelScale; } // see PanelLayout::scale

    void drawButtonBackground(juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                              bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    void drawButtonText(juce::Graphics&, juce::TextButton&, bool shouldDrawButtonAsHighlighted,
                        bool shouldDrawButtonAsDown) override;

    // A button's caption: its font height (bold on the selected button) and the area it is fitted
    // into, in the button's own coordinates; scale as for setScale.
    static float captionFontHeight(int buttonHeight, float scale);
    static juce::Rectangle<int> captionArea(int buttonWidth, int buttonHeight, float scale);

private:
    bool isLit(const juce::Button&) const;

    bool powerOn = true;
    float scale = 1.0f;
};
