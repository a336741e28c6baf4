#pragma once

#include "dsp/Choices.h"
#include "dsp/Control.h"

#include <juce_dsp/juce_dsp.h>

#include <algorithm>
#include <array>
#include <cmath>

// The transient shaper as pure functions: the block path, the editor's display model and the
// tests all use these, so the numbers live in one place.
namespace shaper
{

// Envelope time constants (seconds) and detector scale of one mode.
struct ModeRow
{
    float fastAttackSeconds;
    float fastReleaseSeconds;
    float slowAttackSeconds;
    float slowReleaseSeconds;
    float modeScale;
};

// In the order of Mode.
inline constexpr std::array<ModeRow, choiceCount<Mode>> modeTable{{
    {0.0006f, 0.014f, 0.016f, 0.12f, 1.1f},  // Tight
    {0.0003f, 0.012f, 0.034f, 0.24f, 1.25f}, // Punch
    {0.0012f, 0.03f, 0.045f, 0.32f, 0.86f},  // Smooth
}};

// The largest magnitude an input sample has as audio: 1000, +60 dBFS. Float signals may run
// over full scale, but real ones stay tens of dB below this. A sample beyond it, or one that is
// not a number, is broken: the shaper takes it as silence, also with power off and at mix 0
// (followers pumped up by it would take seconds to come down, and at the top of the float range
// the filters overflow).
inline constexpr float inputCeiling = 1000.0f;

// An input sample as the shaper takes it: itself, or silence when it is broken.
forcedinline float audioOrSilence(float x) noexcept
{
    return std::abs(x) <= inputCeiling ? x : 0.0f;
}

// A focus index outside 0..2 counts as the nearest end (the envelope pass takes the index).
inline int clampChoiceIndex(int index) noexcept
{
    return choiceIndex(choiceAt<Focus>(index));
}

inline const ModeRow& modeRow(Mode mode) noexcept
{
    return modeTable[(size_t) choiceIndex(mode)];
}

// One-pole coefficient for a time constant, in double, rounded to float. The inner floor keeps
// very short times positive, the outer one keeps the coefficient at or above exp(-1).
inline float envelopeCoefficient(float seconds, double sampleRate) noexcept
{
    const double samples = std::max((double) std::max(seconds, 1.0e-5f) * sampleRate, 1.0);
    return (float) std::exp(-1.0 / samples);
}

// The four follower coefficients of a mode at a sample rate; they only change with those two.
struct EnvelopeCoefficients
{
    float fastAttack = 0.0f;
    float fastRelease = 0.0f;
    float slowAttack = 0.0f;
    float slowRelease = 0.0f;
    float modeScale = 1.0f;

    static EnvelopeCoefficients forMode(Mode mode, double sampleRate) noexcept
    {
        const auto& row = modeRow(mode);
        return {envelopeCoefficient(row.fastAttackSeconds, sampleRate),
                envelopeCoefficient(row.fastReleaseSeconds, sampleRate),
                envelopeCoefficient(row.slowAttackSeconds, sampleRate),
                envelopeCoefficient(row.slowReleaseSeconds, sampleRate), row.modeScale};
    }
};

// Control values for one sample, as the ramps deliver them: decibels for attack and sustain,
// fractions (0..1) for sensitivity, punch, clip and mix, a linear output gain (and the power
// crossfade, which the shaper itself does not use).
struct Controls
{
    std::array<float, numControls> values;

    float operator[](Control c) const noexcept { return values[(size_t) c]; }
};

using Filter = juce::dsp::IIR::Filter<float>;

// The detection signal of the focus band; only the filters the focus uses are advanced.
// Works with the framework's filter and with FocusFilter, which computes the same samples.
template <typename LowPass, typename HighPass>
forcedinline float detectionSignal(float x, Focus focus, LowPass& lowPass, HighPass& highPass) noexcept
{
    switch (focus)
    {
        case Focus::low:
            return lowPass.processSample(x);
        case Focus::high:
            return highPass.processSample(x);
        case Focus::full:
        default:
        {
            const float low = lowPass.processSample(x);
            const float high = highPass.processSample(x);
            return 0.25f * high + (0.2f * (x - low) + 0.55f * x);
        }
    }
}

// The math functions the shaper is defined with. The block path substitutes fast
// approximations of the same functions (fastmath::Approximations, FastMath.h).
struct StandardMath
{
    // tanh in float.
    static float tanh(float v) noexcept { return std::tanh(v); }
    // tanh(v) divided by a positive normaliser.
    static float tanhOver(float v, float normaliser) noexcept { return std::tanh(v) / normaliser; }
    // tanh(v) / max(tanh(w), 0.001): the saturation curve of drive w, scaled so that it maps 1 to 1.
    static float tanhRatio(float v, float w) noexcept { return std::tanh(v) / std::max(std::tanh(w), 0.001f); }
    // 10^(0.05 dB), 0 at -100 dB or below.
    static float decibelsToGain(float decibels) noexcept { return juce::Decibels::decibelsToGain(decibels); }
};

// Gain of a decibel value: 10^(0.05 dB), 0 at -100 dB or below.
inline float decibelsToGain(float decibels) noexcept
{
    return StandardMath::decibelsToGain(decibels);
}

// Moves both envelope followers one sample toward the rectified detection signal a, each with
// its attack coefficient while a is above it and its release coefficient otherwise.
forcedinline void followEnvelopes(float a, float& fastEnvelope, float& slowEnvelope, const EnvelopeCoefficients& c) noexcept
{
    const float cF = a > fastEnvelope ? c.fastAttack : c.fastRelease;
    const float cS = a > slowEnvelope ? c.slowAttack : c.slowRelease;
    fastEnvelope = (fastEnvelope - a) * cF + a;
    slowEnvelope = (slowEnvelope - a) * cS + a;
}

// The transient amount T (0..1) of a pair of envelope values: how far the fast envelope
// stands above the slow one, scaled by the sensitivity and the mode.
forcedinline float transientFromEnvelopes(float fast, float slow, float sensitivity, float modeScale) noexcept
{
    const float g = std::max(fast - 0.88f * slow, 0.0f) / (fast + 0.0001f) * (1.35f * sensitivity + 0.35f) * modeScale;
    return std::clamp(g, 0.0f, 1.0f);
}

// Advances both envelope followers by one sample of detection signal d and returns the
// transient amount T (0..1).
inline float transientAmount(float d, float& fastEnvelope, float& slowEnvelope, const EnvelopeCoefficients& c,
                             float sensitivity) noexcept
{
    followEnvelopes(std::abs(d), fastEnvelope, slowEnvelope, c);
    return transientFromEnvelopes(fastEnvelope, slowEnvelope, sensitivity, c.modeScale);
}

// Share of the sustain gain that applies at transient amount T: the transient ducks the body.
forcedinline float sustainWeight(float T, float punch) noexcept
{
    return std::clamp(1.0f - (0.78f - 0.08f * punch) * T, 0.0f, 1.0f);
}

// The clip curve's normaliser tanh(K) for its drive K = 1 + 4 clip, never below 0.001; it
// maps 1 to 1. It only changes with the clip control.
template <typename Math = StandardMath>
forcedinline float clipNormaliser(float clip) noexcept
{
    return std::max(Math::tanh(1.0f + 4.0f * clip), 0.001f);
}

// tanh(drive * v) normalised so that v = 1 maps to 1.
inline float normalisedTanh(float v, float drive) noexcept
{
    return StandardMath::tanhRatio(drive * v, drive);
}

// The soft clipper: crossfades y toward a normalised tanh of drive 1 + 4 clip by the clip amount;
// at clip 0.0001 or below y passes unchanged.
inline float softClip(float y, float clip) noexcept
{
    if (!(clip > 0.0001f))
        return y;
    return y + (normalisedTanh(y, 1.0f + 4.0f * clip) - y) * clip;
}

// The first half of the wet sample x gives at transient amount T: gains and punch saturation.
template <typename Math = StandardMath>
forcedinline float gainsAndPunch(float x, float T, const Controls& k) noexcept
{
    const float punch = k[Control::punch];
    const float W = sustainWeight(T, punch);
    const float gA = Math::decibelsToGain(T * k[Control::attackDb]);
    const float gS = Math::decibelsToGain(W * k[Control::sustainDb]);
    const float p = T * x;
    const float D = 1.0f + 3.2f * T * punch;
    const float s = Math::tanhRatio(D * p, D); // tanh(D p) / max(tanh(D), 0.001)
    return (s - p) * (0.35f * punch + 0.35f) + (gS * (x - p) + gA * p);
}

// The second half: the clip stage, only above a clip of 0.0001, crossfades y toward the
// normalised tanh curve. clipNorm is clipNormaliser(clip). (Written as a choice between two
// values so that loops over it vectorise.)
template <typename Math = StandardMath>
forcedinline float clipStage(float y, float clip, float clipNorm) noexcept
{
    const float K = 1.0f + 4.0f * clip;
    const float clipped = y + (Math::tanhOver(K * y, clipNorm) - y) * clip;
    return clip > 0.0001f ? clipped : y;
}

// The processed (wet) sample x gives at transient amount T: gains, punch saturation and clip,
// before the output gain and the mix. clipNorm is clipNormaliser(k[Control::clip]).
template <typename Math = StandardMath>
forcedinline float shapeWet(float x, float T, const Controls& k, float clipNorm) noexcept
{
    return clipStage<Math>(gainsAndPunch<Math>(x, T, k), k[Control::clip], clipNorm);
}

// shapeWet split for a transient amount that holds over several samples (the High path's four
// oversampled samples of each base sample): what depends on T and the controls only, then the
// per-sample rest. The same curve, rearranged: y = w s + c x with s the normalised saturation.
struct HeldWet
{
    float drive;      // D T: the punch curve's drive of x
    float saturation; // 1 / max(tanh(D), 0.001): the punch curve's normaliser
    float weight;     // w = 0.35 punch + 0.35
    float linear;     // c = gS + T (gA - gS - w)
    float clipDrive;  // K = 1 + 4 clip
    float clipAmount; // clip, or 0 at 0.0001 and below
    float clipScale;  // 1 / clipNormaliser(clip)
};

template <typename Math = StandardMath>
forcedinline HeldWet holdWet(float T, const Controls& k, float clipNorm) noexcept
{
    const float punch = k[Control::punch], clip = k[Control::clip];
    const float W = sustainWeight(T, punch);
    const float gA = Math::decibelsToGain(T * k[Control::attackDb]);
    const float gS = Math::decibelsToGain(W * k[Control::sustainDb]);
    const float D = 1.0f + 3.2f * T * punch;
    const float w = 0.35f * punch + 0.35f;
    return {D * T, 1.0f / std::max(Math::tanh(D), 0.001f), w, gS + T * (gA - gS - w), 1.0f + 4.0f * clip,
            clip > 0.0001f ? clip : 0.0f, 1.0f / clipNorm};
}

template <typename Math = StandardMath>
forcedinline float applyHeldWet(float x, const HeldWet& h) noexcept
{
    const float y = h.weight * (Math::tanh(h.drive * x) * h.saturation) + h.linear * x;
    return y + (Math::tanh(h.clipDrive * y) * h.clipScale - y) * h.clipAmount;
}

// Output gain on the wet sample y and the mix with the dry sample x.
forcedinline float mixWet(float y, float x, const Controls& k) noexcept
{
    return (y * k[Control::outputGain] - x) * k[Control::mix] + x;
}

// Shapes sample x given its transient amount T: gains, punch, clip, output gain, mix.
// clipNorm is clipNormaliser(k[Control::clip]).
template <typename Math = StandardMath>
forcedinline float shapeSample(float x, float T, const Controls& k, float clipNorm) noexcept
{
    return mixWet(shapeWet<Math>(x, T, k, clipNorm), x, k);
}

inline float shapeSample(float x, float T, const Controls& k) noexcept
{
    return shapeSample(x, T, k, clipNormaliser(k[Control::clip]));
}

} // namespace shaper
