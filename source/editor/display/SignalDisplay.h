#pragma once

#include "state/DisplayMode.h"
#include "editor/display/DisplayModel.h"
#include "editor/display/DisplayResolution.h"
#include "editor/display/LivePlot.h"
#include "editor/display/LiveView.h"
#include "editor/display/PlotGeometry.h"
#include "editor/look/PanelArea.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

class LiveFeed;

// The signal display: a dark plot in a frame that shows either the model view (a synthetic hit
// before and after a model of the shaper with the current settings) or the live view (the real
// signal of the last two seconds). With power off the model view is an empty plot.
//
// What changes only with the size, the power state, the mode and the settings is part of the
// main panel's picture, which keeps it between paints: the panel paints the frame (paintFrame)
// and what follows the settings (paintSettings) into it. The display paints only what moves itself: the live signal.
class SignalDisplay : public PanelArea
{
public:
    SignalDisplay(juce::AudioProcessorValueTreeState& parameters, LiveFeed& liveFeed);

    void setPowerOn(bool on);
    // How finely the model's curves are drawn.
    void setResolution(DisplayResolution resolution) noexcept { resolutionMode = resolution; }
    DisplayResolution getResolution() const noexcept { return resolutionMode; }

    // The live view reads the audio only while it is shown.
    void setMode(DisplayMode mode);
    DisplayMode getMode() const noexcept { return mode; }
    // Takes what the audio thread sent the live view since the last call; true when the live
    // picture changed with it.
    bool updateLiveView();

    // Repaints the display when what it shows changed since the last call: the live signal (audio
    // arrived, or the picture fades), or the settings its model and read-out are drawn with. Nothing
    // otherwise: at rest the display costs nothing.
    void refresh();

    // The settings the display draws with, read afresh; a parameter that cannot be found reads as 0.
    DisplaySettings readSettings() const;

    // Into the panel's picture: the frame and the plot, with the grid, the legend and the time
    // axis of the view shown (none in the model view with power off)...
    void paintFrame(juce::Graphics& g) const;
    // ...and what follows the settings: the model's curves in the model view with power on, the
    // level marks and the read-out in the live view.
    void paintSettings(juce::Graphics& g, const DisplaySettings& settings);

    // The live signal, in the live view.
    void paint(juce::Graphics& g) override;

private:
    friend struct SignalDisplayTestAccess;

    PlotGeometry plot() const { return PlotGeometry::forDisplayArea(area, scale); }
    LivePlot livePlot() const { return LivePlot::forDisplayArea(area, scale); }

    juce::AudioProcessorValueTreeState& parameters;
    bool powerOn = true;
    DisplayResolution resolutionMode = DisplayResolution::Auto;
    DisplayMode mode = DisplayMode::Model;
    LiveView liveView;
    DisplayModelMaker modelMaker;
    DisplaySettings refreshedSettings; // as of the last refresh

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(SignalDisplay)
};
