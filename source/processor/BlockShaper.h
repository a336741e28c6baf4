#pragma once

#include "processor/ControlBlock.h"
#include "processor/FocusFilter.h"
#include "processor/ParameterSmoothers.h"
#include "processor/ShaperCore.h"

// The block path of the shaper: the same algorithm as TarvoltAudioProcessor::processSample and
// the power crossfade, run over stretches of up to ControlBlock::maxSamples samples in two passes:
//   1. a sequential pass per sample (both channels side by side) through the focus filters and
//      the envelope followers, the only part with a dependency from one sample to the next;
//   2. a pass over the stretch that turns envelopes into the transient amount, gains, punch,
//      clip, output gain, mix and power; it has no such dependency and vectorises.
// Controls come from the smoothers one value per sample, exactly as the per-sample path steps
// them; tanh and the decibel gain use fastmath's approximations. A non-finite input sample is
// processed as silence and a non-finite result is written as silence.
class BlockShaper
{
public:
    // The processor's filter and envelope state, two channels each; the block path reads and
    // writes it in place of processSample.
    struct ChannelState
    {
        FocusFilter* lowFocusFilters;
        FocusFilter* highFocusFilters;
        float* fastEnvelope;
        float* slowEnvelope;
    };

    // Largest magnitudes of the input (after non-finite samples became silence) and the output.
    struct Peaks
    {
        float input[2]{0.0f, 0.0f};
        float output[2]{0.0f, 0.0f};
    };

    // Processes n samples of the first numChannels (1 or 2) channels in place.
    void process(float* const* channels, int numChannels, int n, int focus, const shaper::EnvelopeCoefficients& c,
                 ParameterSmoothers& smoothers, ChannelState state, Peaks& peaks) noexcept;

private:
    void processStretch(float* const* channels, int numChannels, int offset, int n, int focus,
                        const shaper::EnvelopeCoefficients& c, ChannelState state, Peaks& peaks) noexcept;

    ControlBlock controls;
    float normalisedClip = -1.0f, clipNorm = 1.0f; // the clip value clipNorm was computed for
    alignas(16) float input[2][ControlBlock::maxSamples]{};
    alignas(16) float fast[2][ControlBlock::maxSamples]{};
    alignas(16) float slow[2][ControlBlock::maxSamples]{};
};
