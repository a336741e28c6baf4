#pragma once

#include "processor/Parameters.h"

#include <juce_graphics/juce_graphics.h>

#include <array>

// The signal display's picture of the shaper: a synthetic 500 ms drum hit (dry) and the same hit
// after a compact model of the shaper with the current settings (shaped). Pure functions, so the
// curves can be checked without drawing.

// The settings the display draws with, in the units the model uses. A new one holds every
// parameter's default from the parameter table.
struct DisplaySettings
{
    float attackDb = 0.0f;
    float sustainDb = 0.0f;
    float outputDb = 0.0f;
    float sensitivity = 0.0f; // fractions 0..1 from here on
    float punch = 0.0f;
    float clip = 0.0f;
    float mix = 0.0f;
    int modeIndex = 0;
    int focusIndex = 0;
    bool powerOn = false;
    bool highQuality = false; // shown in the read-out line
    bool linked = false;
    int curvePoints = 221; // how many points each curve is drawn with

    DisplaySettings();

    // Sets what a parameter of the table drives from its plain value: gains stay in decibels,
    // amounts become fractions and choices their index, as the audio path reads them.
    void set(const ParameterSpec& spec, float plain);

    bool operator==(const DisplaySettings& other) const
    {
        return attackDb == other.attackDb && sustainDb == other.sustainDb && outputDb == other.outputDb &&
               sensitivity == other.sensitivity && punch == other.punch && clip == other.clip && mix == other.mix &&
               modeIndex == other.modeIndex && focusIndex == other.focusIndex && powerOn == other.powerOn &&
               highQuality == other.highQuality && linked == other.linked && curvePoints == other.curvePoints;
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

// Where the plot and the display's texts sit inside the display area, and how values map onto the
// plot. Margins, text and strokes are those of the reference panel times scale (PanelLayout::scale).
struct PlotGeometry
{
    juce::Rectangle<float> displayArea;
    float scale = 1.0f;
    float plotX = 0.0f, plotY = 0.0f, plotW = 0.0f, plotH = 0.0f, plotRight = 0.0f;
    float baselineY = 0.0f; // the zero line, at 83 % of the plot's height
    float curveSpan = 0.0f; // from the zero line up to the plot's top

    static PlotGeometry forDisplayArea(juce::Rectangle<float> displayArea, float scale = 1.0f);

    // A text and the box it is drawn in.
    struct Label
    {
        const char* text;
        juce::Rectangle<int> box;
        juce::Justification justification;
    };

    // Font heights: the time axis and the mix and clip read-out (plain); the legend and the clip
    // line's caption (bold).
    float axisFontHeight() const { return 12.0f * scale; }
    float captionFontHeight() const { return 11.0f * scale; }

    // 0 ms to 500 ms under the plot, the three inner ones centred on their grid lines.
    std::array<Label, 5> timeAxisLabels() const;
    // The mix and clip read-out, right-aligned under the zero line.
    juce::Rectangle<int> readOutBox() const;
    // The clip line's caption, right-aligned just above the line at height clipY.
    juce::Rectangle<int> clipCaptionBox(float clipY) const;
    // The two legend items (SHAPED, DRY) along the top of the display area: a swatch, then the caption.
    std::array<juce::Rectangle<float>, 2> legendItems() const;
    float legendSwatchWidth(juce::Rectangle<float> item) const { return std::min(item.getWidth(), 20.0f * scale); }

    juce::Rectangle<float> plotArea() const { return {plotX, plotY, plotW, plotH}; }

    // Pixels per unit for a model: the peak reaches 1/1.12 of the span.
    float scaleFor(const DisplayModel& model) const { return curveSpan / (model.peak * 1.12f); }

    // The height of value v, kept between the plot's top and the zero line.
    float yFor(float v, float pixelsPerUnit) const
    {
        return juce::jlimit(plotY, baselineY, baselineY - pixelsPerUnit * v);
    }

    // The x of point k of numPoints.
    float xFor(int k, int numPoints) const { return plotX + plotW * (float) k / (float) (numPoints - 1); }
};
