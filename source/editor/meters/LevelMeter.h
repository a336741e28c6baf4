#pragma once

#include "editor/look/PanelArea.h"
#include "editor/meters/MeterPeaks.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>

// A segmented level meter with its caption (IN, OUT) and a dB scale: a column of segments per
// channel lights from the bottom up to the channel's level (a meter position 0..1 read on every
// paint), a hold mark shows each channel's recent peak, and the peak box over the trough the
// highest peak in dB, or OVER in the warning colour once a level reached full scale. The peak and
// the over stay until the meter is clicked. With power off every segment is dim grey and the
// peaks are neither shown nor taken. Where only one column fits it shows the louder channel.
//
// The caption, the trough and the scale change only with the size and the power state: they are
// part of the main panel's picture, which keeps them between paints (paintFrame). The meter
// paints its segments, the hold marks and the peak box itself.
class LevelMeter : public PanelArea
{
public:
    LevelMeter(const juce::String& caption, std::function<float(int channel)> readLevel);

    void setPowerOn(bool on) noexcept { powerOn = on; }

    // Into the panel's picture: the caption over the dark trough, and the scale.
    void paintFrame(juce::Graphics& g) const;
    // The segments, the hold marks and the peak box; takes the levels it shows into the peaks.
    void paint(juce::Graphics& g) override;
    // A click clears the peak and the over.
    void mouseDown(const juce::MouseEvent&) override;

    // Takes the levels into the peaks and repaints the meter when what it shows (the lit segments,
    // the hold marks, the peak box) differs from what it drew last.
    void refresh();

private:
    friend struct LevelMeterTestAccess;

    juce::String caption;
    std::function<float(int channel)> readLevel;
    bool powerOn = true;
    MeterPeaks peaks;

    // Reads both channels' levels and takes them into the peaks.
    std::array<float, MeterPeaks::maxChannels> takeLevels();
    // What the meter shows at these levels, in a form to compare: each column's lit segments, each
    // hold mark's row and the peak box's text.
    juce::String shownAt(const std::array<float, MeterPeaks::maxChannels>& levels) const;
    juce::String drawn; // as the last paint showed it

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(LevelMeter)
};
