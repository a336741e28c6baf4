#pragma once

#include "editor/display/PlotGeometry.h"
#include "dsp/LiveSummary.h"

#include <array>

// Where the live view draws inside the display's plot (PlotGeometry) and how levels map onto it.
// The signal is drawn around a centre line over the plot's curve span on a linear scale: positive
// samples above the line, negative ones below, topDb (head-room over full scale for lifted peaks)
// at the edge of the span, so a column's min/max range is a bar at the height of its samples and
// a slow kick shows its waveform as a wide one. Level marks at 0 and -12 dBFS are labelled in the
// left gutter; the gain axis spans the signal's height. The transient amount is a band under the
// curve span. Pure, so it can be checked without drawing.
struct LivePlot
{
    static constexpr float topDb = 6.0f;         // head-room above full scale for lifted peaks
    static constexpr double windowSeconds = 2.0; // the time the plot's width stands for
    // The level marks: full scale and 12 dB under it, on both sides of the centre line.
    static constexpr std::array<float, 2> markLevels{1.0f, 0.25118864f};
    static constexpr std::array<const char*, 2> markCaptions{"0 dB", "-12 dB"};

    PlotGeometry plot;
    float centreY = 0.0f;
    float halfSpan = 0.0f;             // from the centre line to topDb
    juce::Rectangle<float> band;       // the transient amount's band; 1 at its top
    juce::Rectangle<float> signalArea; // centre line plus and minus halfSpan

    // The plot of a display area as the live view lays it out (four legend items, the level
    // labels' gutter), with its gain axis over the signal's height.
    static LivePlot forDisplayArea(juce::Rectangle<float> displayArea, float scale);
    static LivePlot forPlot(const PlotGeometry& plot);

    // The shaper's gain over a column, as the gain trace shows it: the output's largest magnitude
    // against the input's, in dB; NaN where there is no audio or the input is too quiet for it to
    // mean anything (under DisplayModel::gainFloor).
    static float gainDb(const LiveSummary& column);

    // The share of the half span a magnitude reaches: 0 for silence, 1 at topDb or above.
    static float levelShare(float magnitude);

    // The height of a sample value: above the centre line for positive values, below for negative.
    float yFor(float value) const { return centreY - halfSpan * (value < 0.0f ? -levelShare(-value) : levelShare(value)); }

    // The top of the transient band's bar for an amount 0..1.
    float bandTopFor(float transient) const
    {
        return band.getBottom() - band.getHeight() * juce::jlimit(0.0f, 1.0f, transient);
    }

    // Two seconds back to now under the plot.
    std::array<PlotGeometry::Label, 5> timeAxisLabels() const;
    // The level marks' captions in the left gutter, right-aligned against the plot, centred on
    // their lines above the centre line (the second left out when the two would touch).
    std::array<PlotGeometry::Label, 2> levelLabels() const;
    // A level mark's line is left out where the clip onset's line runs within a few pixels of it,
    // so that the two never lie on each other.
    bool levelLineClearOf(float lineY, float clipY) const { return std::abs(lineY - clipY) >= 5.0f * plot.scale; }
};
