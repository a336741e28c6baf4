#pragma once

#include "editor/display/PlotGeometry.h"

#include <array>

// Where the live view draws inside the display's plot (PlotGeometry) and how levels map onto it.
// The signal is drawn around a centre line over the plot's curve span on a linear scale: positive
// samples above the line, negative ones below, topDb (head-room over full scale for lifted peaks)
// at the edge of the span, so a column's min/max range is a bar at the height of its samples and
// a slow kick shows its waveform as a wide one. The transient amount is a band under the curve
// span, where the model shows its read-out; the read-out moves up beside the legend. Pure, so it
// can be checked without drawing.
struct LivePlot
{
    static constexpr float topDb = 6.0f; // head-room above full scale for lifted peaks
    static constexpr double windowSeconds = 2.0; // the time the plot's width stands for

    PlotGeometry plot;
    float centreY = 0.0f;
    float halfSpan = 0.0f;            // from the centre line to topDb
    juce::Rectangle<float> band;      // the transient amount's band; 1 at its top
    juce::Rectangle<float> signalArea; // centre line plus and minus halfSpan

    static LivePlot forPlot(const PlotGeometry& plot);

    // The share of the half span a magnitude reaches: 0 for silence, 1 at topDb or above.
    static float levelShare(float magnitude);

    // The height of a sample value: above the centre line for positive values, below for negative.
    float yFor(float value) const { return centreY - halfSpan * (value < 0.0f ? -levelShare(-value) : levelShare(value)); }

    // The top of the transient band's bar for an amount 0..1.
    float bandTopFor(float transient) const
    {
        return band.getBottom() - band.getHeight() * juce::jlimit(0.0f, 1.0f, transient);
    }

    // Two seconds back to now under the plot, in the model's time axis boxes.
    std::array<PlotGeometry::Label, 5> timeAxisLabels() const;
    // SHAPED, DRY and TRANSIENT along the top of the display area.
    std::array<juce::Rectangle<float>, 3> legendItems() const;
    // A level mark's caption, left in the plot just above height y.
    juce::Rectangle<int> levelCaptionBox(float y) const;
    // The read-out line (displayReadOut), whose place under the plot the band takes: at the right
    // end of the legend's row.
    juce::Rectangle<int> readOutBox() const;
};
