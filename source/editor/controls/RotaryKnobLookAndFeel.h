#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Draws a knob: shadow, body, face, track, value arc with glow and the pointer. The value arc
// turns grey while power is off; the knob tells its look the power state.
class RotaryKnobLookAndFeel : public juce::LookAndFeel_V4
{
public:
    void setPowerOn(bool on) noexcept { powerOn = on; }
    void setScale(float panelScale) noexcept { scale = panelScale; } // see PanelLayout::scale

    void drawRotarySlider(juce::Graphics&, int x, int y, int width, int height, float sliderPosProportional,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;

private:
    bool powerOn = true;
    float scale = 1.0f;
};
