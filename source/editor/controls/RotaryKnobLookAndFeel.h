#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Draws a knob: shadow, body, face, track, value arc with glow and the pointer. The value arc
// runs from the minimum to the value, or for a control whose range spans 0 (a boost or cut in
// dB) from 0 to the value, so a cut draws a short arc to the left of the top. It turns grey while
// power is off; the knob tells its look the power state.
class RotaryKnobLookAndFeel : public juce::LookAndFeel_V4
{
public:
    void setPowerOn(bool on) noexcept { powerOn = on; }
    void setScale(float panelScale) noexcept { scale = panelScale; } // see PanelLayout::scale

    void drawRotarySlider(juce::Graphics&, int x, int y, int width, int height, float sliderPosProportional,
                          float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;

    // Where the value arc starts, as a share of the track: 0 (the minimum), or where 0 lies for a
    // slider whose range spans it.
    static float arcOrigin(juce::Slider& slider);

private:
    bool powerOn = true;
    float scale = 1.0f;
};
