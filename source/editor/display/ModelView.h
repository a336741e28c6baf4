#pragma once

#include "editor/display/DisplayModel.h"
#include "editor/display/PlotGeometry.h"

#include <juce_graphics/juce_graphics.h>

// The signal display's model view: a synthetic drum hit before (DRY) and after (SHAPED) a model
// of the shaper with the current settings (DisplayModel), the clip onset and the mix and clip
// read-out. Drawn in the coordinates of the display's plot (PlotGeometry).
namespace modelView
{
// What changes only with the size: the grid, the legend and the time axis.
void paintFrame(juce::Graphics& g, const PlotGeometry& plot);
// The curves, the clip onset and the read-out for the settings.
void paintCurves(juce::Graphics& g, const PlotGeometry& plot, const DisplaySettings& settings);
} // namespace modelView
