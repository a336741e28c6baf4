#pragma once

#include "editor/display/DisplayModel.h"
#include "editor/display/LiveFeedReader.h"
#include "editor/display/PlotGeometry.h"

#include <juce_graphics/juce_graphics.h>

#include <vector>

class LiveFeed;
struct LivePlot;

// The signal display's live view: the last two seconds of the input (DRY) and the output
// (SHAPED) as filled min/max envelopes on a linear scale about a centre line, the shaper's gain
// in dB over time (GAIN), the detector's transient amount as a band under them, the level marks,
// the clip onset and the read-out line. It reads the live feed while it is shown. Drawn in the
// coordinates of the display's plot (LivePlot).
class LiveView
{
public:
    explicit LiveView(LiveFeed& feed) : reader(feed) {}

    // Starts (with an empty view) or stops reading the feed; nowMs: the clock update() is given.
    void setReading(bool shouldRead, double nowMs) { reader.setReading(shouldRead, nowMs); }
    // Takes what the feed sent since the last update; true when the picture changed with it.
    bool update(double nowMs) { return reader.update(nowMs); }

    // What changes only with the size: the grid, the legend, the time, gain and level axes.
    static void paintFrame(juce::Graphics& g, const LivePlot& plot);
    // What changes with the settings: the level marks' lines (clear of the clip onset's) and the
    // read-out line.
    static void paintSettings(juce::Graphics& g, const LivePlot& plot, const DisplaySettings& settings);
    // The signal as it is now, with the gain trace and the clip onset; "NO AUDIO" while nothing
    // is to be seen.
    void paintSignal(juce::Graphics& g, const LivePlot& plot, const DisplaySettings& settings);

private:
    friend struct SignalDisplayTestAccess;

    LiveFeedReader reader;
    std::vector<LiveHistory::Column> columns; // kept between paints: no allocation per paint
};
