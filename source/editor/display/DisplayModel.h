#pragma once

#include "state/ParameterValues.h"

#include <juce_graphics/juce_graphics.h>

#include <array>
#include <memory>
#include <string_view>
#include <vector>

class TransientShaper;

// The signal display's picture of the shaper: a synthetic 500 ms drum hit (dry) and the same hit
// after the audio path's own shaper with the current settings (shaped), as envelopes, with the
// gain the shaper applies over the hit in dB.

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
    // Where the dry hit is too quiet for its gain to mean anything (-60 dB).
    static constexpr float gainFloor = 0.001f;

    int numPoints = 0;
    std::array<float, maxPoints> dry{};    // the hit before the shaper, first numPoints entries
    std::array<float, maxPoints> shaped{}; // the hit after it
    // The shaper's gain at each point, 20 log10(shaped / dry) in dB; NaN where the dry hit is
    // below gainFloor.
    std::array<float, maxPoints> gainDb{};
    float peak = 0.0f;             // largest value drawn (at least 0.72 and clipLevel)
    float clipLevel = 0.0f;        // where the clipper starts to bite
    float punchShow = 0.0f;        // strength of the shaped line's glow, 0..1
    float dryAlpha = 0.0f;         // opacity of the dry curve's glow
    float shapedAmount = 0.0f;     // mix clamped to 0..1: opacity factor of the shaped curve
    bool showsShapedCurve = false; // false when the mix is (almost) dry
    bool showsClipLine = false;    // false at 4 % clip or less
    float mix = 0.0f;              // the settings' mix and clip, for the read-out
    float clip = 0.0f;
};

// The synthetic hit as audio: a 3 kHz click over a 500 Hz body, cosines that start the hit at its
// peak, under an envelope whose decay follows the sustain setting. Each of the model's points stands for
// samplesPerPoint samples of it at rateHz; a point's value is the largest magnitude in them.
namespace syntheticHit
{
inline constexpr double rateHz = 48000.0;
inline constexpr int samplesPerPoint = 24000 / (DisplayModel::maxPoints - 1); // 109: 500 ms over 220 steps
inline constexpr int length = samplesPerPoint * DisplayModel::maxPoints;

// The first numSamples samples of the hit for a sustain setting in dB.
void render(float* out, int numSamples, float sustainDb);

// The largest magnitude in each stretch of samplesPerPoint samples, one per point.
void envelope(const float* samples, int numPoints, float* points);
} // namespace syntheticHit

// The level where the clipper starts to bite at a clip amount (0..1), before the output gain.
float clipOnsetLevel(float clip);

// The read-out line: mix and clip, led by "HQ" with High quality and "LINK" with the stereo
// link on, so both show at a glance.
juce::String displayReadOut(const DisplaySettings& settings);

// Makes the display's model: runs the synthetic hit through the shaper the audio path runs
// (TransientShaper, power on, every other setting as given, the output read as late as the
// quality's latency) and takes the envelopes of the hit and of the result. It keeps the shaper
// and its buffers, so making a model allocates nothing, and keeps the last model, which it hands
// out again while the settings stay the same. Message thread only.
class DisplayModelMaker
{
public:
    DisplayModelMaker();
    ~DisplayModelMaker();

    // The model over its 221 points spread evenly over the 500 ms hit, of which numPoints
    // (2..221, clamped) are kept, evenly chosen, first and last included.
    const DisplayModel& make(const DisplaySettings& settings, int numPoints = DisplayModel::maxPoints);

    DisplayModelMaker(const DisplayModelMaker&) = delete;
    DisplayModelMaker& operator=(const DisplayModelMaker&) = delete;

private:
    std::unique_ptr<TransientShaper> shaper;
    std::vector<float> hit, shaped;
    float hitSustainDb = 0.0f;
    bool hitMade = false;

    DisplayModel model;
    DisplaySettings madeFor;
    int madeWithPoints = 0;
};

// A model made once, with a maker of its own.
DisplayModel computeDisplayModel(const DisplaySettings& settings, int numPoints = DisplayModel::maxPoints);
