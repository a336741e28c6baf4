#pragma once

#include "state/ParameterValues.h"

#include <juce_graphics/juce_graphics.h>

#include <array>
#include <string_view>

// The signal display's picture of the shaper: a synthetic 500 ms drum hit (dry) and the same hit
// after a compact model of the shaper with the current settings (shaped). Pure functions, so the
// curves can be checked without drawing.

// The settings the display draws with: every parameter's plain value, the power state as the
// controls show it, and how many points each curve is drawn with. A new one holds every
// parameter's default from the parameter table, power on and every point.
struct DisplaySettings
{
    ParameterValues parameters = ParameterValues::defaults();
    bool powerOn = true;
    int curvePoints = 221;

    // A parameter's value as the audio path reads it (ParameterSpec::audioValueOf): decibels for
    // attack and sustain, a gain for output, fractions 0..1 for the amounts.
    float audioValue(std::string_view id) const noexcept;
    // A choice parameter's value (Mode, Focus, Quality, StereoLink).
    template <typename Choice>
    Choice choice() const noexcept
    {
        return parameters.choice<Choice>();
    }

    bool operator==(const DisplaySettings& other) const
    {
        return parameters == other.parameters && powerOn == other.powerOn && curvePoints == other.curvePoints;
    }
};

struct DisplayModel
{
    static constexpr int maxPoints = 221;

    int numPoints = 0;
    std::array<float, maxPoints> dry{};    // the hit before the shaper, first numPoints entries
    std::array<float, maxPoints> shaped{}; // the hit after it
    float peak = 0.0f;                     // largest value drawn (at least 0.72 and clipLevel)
    float clipLevel = 0.0f;                // where the clipper starts to bite
    float punchShow = 0.0f;                // strength of the shaped line's glow, 0..1
    float dryAlpha = 0.0f;                 // opacity of the dry curve
    float shapedAmount = 0.0f;             // mix clamped to 0..1: opacity factor of the shaped curve
    bool showsShapedCurve = false;         // false when the mix is (almost) dry
    bool showsClipLine = false;            // false at 4 % clip or less
    float mix = 0.0f;                      // the settings' mix and clip, for the read-out
    float clip = 0.0f;
};

// The level where the clipper starts to bite at a clip amount (0..1), before the output gain.
float clipOnsetLevel(float clip);

// The read-out line under the curves: mix and clip, led by "HQ" with High quality and "LINK"
// with the stereo link on, so both show at a glance.
juce::String displayReadOut(const DisplaySettings& settings);

// Runs the model over its 221 points spread evenly over the 500 ms hit, and keeps numPoints of
// them (2..221, clamped), evenly chosen, first and last included.
DisplayModel computeDisplayModel(const DisplaySettings& settings, int numPoints = DisplayModel::maxPoints);
