#pragma once

#include "editor/display/DisplayModel.h"
#include "editor/display/PlotGeometry.h"

#include <juce_graphics/juce_graphics.h>

// The signal display's model view: a synthetic drum hit before (DRY) and after (SHAPED) the
// shaper with the current settings (DisplayModel), the shaper's gain over the hit in dB (GAIN), the
// clip onset and the read-out. Drawn in the coordinates of the display's plot (PlotGeometry).
namespace modelView
{
// What changes only with the size: the grid, the legend, the time axis and the gain axis.
void paintFrame(juce::Graphics& g, const PlotGeometry& plot);
// The model's curves with the gain trace, the clip onset and the read-out for the settings.
void paintCurves(juce::Graphics& g, const PlotGeometry& plot, const DisplayModel& model,
                 const DisplaySettings& settings);
} // namespace modelView
