#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

// The dark look of the preset dialogs: gradient box with a light outline, centred text, wide
// buttons in the lower part of the box, dark text fields with a green focus outline.
class DialogLookAndFeel : public juce::LookAndFeel_V4
{
public:
    DialogLookAndFeel();

    void drawButtonBackground(juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                              bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    juce::Font getTextButtonFont(juce::TextButton&, int buttonHeight) override;

    void drawAlertBox(juce::Graphics&, juce::AlertWindow&, const juce::Rectangle<int>& textArea,
                      juce::TextLayout&) override;
    juce::Font getAlertWindowTitleFont() override;
    juce::Font getAlertWindowMessageFont() override;

    // Text fields: the background colour, and an outline in the field's focused outline colour
    // (2 pixels) while it has the keyboard focus, in its outline colour (1 pixel) otherwise.
    void fillTextEditorBackground(juce::Graphics&, int width, int height, juce::TextEditor&) override;
    void drawTextEditorOutline(juce::Graphics&, int width, int height, juce::TextEditor&) override;

    // Where the first two buttons (or the only one) of a w x h dialog go; further buttons keep
    // the positions the framework gave them.
    static std::vector<juce::Rectangle<int>> buttonBounds(int width, int height, int numButtons);
};
