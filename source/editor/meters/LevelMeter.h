#pragma once

#include "editor/look/PanelArea.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// A segmented level meter with its caption (IN, OUT): the segments light from the bottom up to
// the level, a meter position 0..1 read on every paint; with power off every segment is dim grey.
//
// The caption and the trough change only with the size and the power state: they are part of the
// main panel's picture, which keeps them between paints (paintFrame). The meter paints only its
// segments itself.
class LevelMeter : public PanelArea
{
public:
    LevelMeter(const juce::String& caption, std::function<float()> readLevel);

    void setPowerOn(bool on) noexcept { powerOn = on; }

    // Into the panel's picture: the caption over the dark trough.
    void paintFrame(juce::Graphics& g) const;
    // The segments.
    void paint(juce::Graphics& g) override;

private:
    juce::String caption;
    std::function<float()> readLevel;
    bool powerOn = true;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(LevelMeter)
};
