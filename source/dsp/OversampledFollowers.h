#pragma once

#include "dsp/Choices.h"
#include "dsp/ControlBlock.h"
#include "dsp/DetectorState.h"
#include "dsp/EnvelopePass.h"
#include "dsp/ShapingKernels.h"

#include <array>

// High quality's envelope followers: the followers of the envelope pass (the same time constants,
// shaper::followEnvelopes' step), stepped four times per base sample, on the four oversampled
// values of the rectified detection signal that belong to it, with their coefficients for four
// times the rate. They follow the detection signal between the samples as Standard's follow it
// at them, so on broadband material (drums, noise), whose samples already show what lies
// between them, they see what Standard's see, and a high tone's crests reach them wherever the
// samples fall. The four steps are composed into one per base sample (shaping::FollowerKernel).
//
// Each base sample takes the mean of its envelopes after the second and the fourth step,
// low-passed by two one-pole stages of coefficient `smoothing` (together -3 dB at about 1 kHz at
// 44.1 kHz). Both keep the followers' ripple on a steady high tone (they charge at every crest
// and fall back between) from reaching the transient amount as a flutter of its own: what of it
// lies near the sampling rate would fold down to a slow wobble when one value is taken per base
// sample, and what is left would move the saturation's drive and spread a tone's harmonics into
// sidebands.
// The low-passes delay by `lead` samples at low frequencies; the detection reaches the followers
// that much ahead of the signal (OversampledPath), so the transient amount lines up with the
// signal as Standard's does.
class OversampledFollowers
{
public:
    static constexpr int steps = shaping::followerSteps;
    static constexpr float smoothing = 0.2f;
    static constexpr int lead = 8; // two stages of (1 - smoothing) / smoothing samples each
    static_assert(lead * smoothing == 2.0f * (1.0f - smoothing), "the low-passes' delay is the lead");

    // The rectified detection signal of a stretch: values[ch][p][i] is step p of base sample i.
    // Room for ControlBlock::maxSamples base samples, a multiple of four.
    using Values = float[2][steps][ControlBlock::maxSamples];
    static_assert(ControlBlock::maxSamples % 4 == 0, "the followers work four base samples at a time");

    OversampledFollowers() { prepare(44100.0); }

    // The coefficients of every mode for a sample rate.
    void prepare(double sampleRate) noexcept;

    // Clears the low-passes (the envelopes live in the detector's state).
    void reset() noexcept { own = linkedPair = {}; }

    // n base samples (at most ControlBlock::maxSamples) of the first numChannels channels: moves
    // each channel's envelopes on and writes the low-passed ones of each base sample to fast and
    // slow. Linked (two channels), the detector's linked pair of followers takes the larger of
    // the two channels' values and both channels get its envelopes, while each channel's own
    // followers run on alongside, as in the envelope pass (DetectorState). Switching the link on
    // starts the pair's low-passes, like its envelopes, from the larger of the channels'.
    void run(Mode mode, bool linked, int numChannels, const Values& values, envelopePass::Stretch& fast,
             envelopePass::Stretch& slow, int n, DetectorState& detector) noexcept;

private:
    // Frames the values of each step (of channel a in the first two lanes, channel b in the last
    // two), the last group of four base samples filled up with silence.
    void frame(const Values& values, int a, int b, bool larger, int n) noexcept;

    std::array<shaping::FollowerConstants, choiceCount<Mode>> constants{}; // by mode
    shaping::FollowerState own{};                          // each channel's followers' low-passes
    shaping::FollowerState linkedPair{};                   // the linked pair's, in both channels' lanes
    alignas(64) shaping::Frame frames[steps][ControlBlock::maxSamples]{};
    alignas(64) shaping::FollowerIntercepts intercepts{};
};
