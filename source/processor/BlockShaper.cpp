#include "processor/BlockShaper.h"

#include "processor/FastMath.h"

#include <limits>

namespace
{
inline bool isFinite(float v) noexcept
{
    return std::abs(v) <= std::numeric_limits<float>::max(); // false for infinities and NaN
}

// The detector state of one channel, held in locals while a stretch runs.
struct Detector
{
    FocusFilter low, high;
    float fast, slow;

    // One sample: detection signal, then both envelopes.
    template <int focus>
    void step(float x, const shaper::EnvelopeCoefficients& c) noexcept
    {
        float d = shaper::detectionSignal(x, focus, low, high);
        if (!isFinite(d)) // the filters overflowed on an absurdly large input: start afresh
        {
            low.reset();
            high.reset();
            fast = slow = 0.0f;
            d = 0.0f;
        }
        shaper::followEnvelopes(std::abs(d), fast, slow, c);
    }
};

// Pass 1. The channels run side by side so that their dependency chains overlap.
template <int focus, int numChannels>
void followEnvelopes(const float (*input)[ControlBlock::maxSamples], float (*fast)[ControlBlock::maxSamples],
                     float (*slow)[ControlBlock::maxSamples], int n, const shaper::EnvelopeCoefficients& c,
                     BlockShaper::ChannelState state) noexcept
{
    Detector detectors[(size_t) numChannels];
    for (int ch = 0; ch < numChannels; ++ch)
        detectors[ch] = {state.lowFocusFilters[ch], state.highFocusFilters[ch], state.fastEnvelope[ch],
                         state.slowEnvelope[ch]};

    for (int i = 0; i < n; ++i)
        for (int ch = 0; ch < numChannels; ++ch)
        {
            detectors[ch].template step<focus>(input[ch][i], c);
            fast[ch][i] = detectors[ch].fast;
            slow[ch][i] = detectors[ch].slow;
        }

    for (int ch = 0; ch < numChannels; ++ch)
    {
        state.lowFocusFilters[ch] = detectors[ch].low;
        state.highFocusFilters[ch] = detectors[ch].high;
        state.fastEnvelope[ch] = detectors[ch].fast;
        state.slowEnvelope[ch] = detectors[ch].slow;
    }
}

template <int focus>
void followEnvelopes(int numChannels, const float (*input)[ControlBlock::maxSamples],
                     float (*fast)[ControlBlock::maxSamples], float (*slow)[ControlBlock::maxSamples], int n,
                     const shaper::EnvelopeCoefficients& c, BlockShaper::ChannelState state) noexcept
{
    if (numChannels == 2)
        followEnvelopes<focus, 2>(input, fast, slow, n, c, state);
    else
        followEnvelopes<focus, 1>(input, fast, slow, n, c, state);
}

// Pass 2, for one channel: everything after the envelopes, plus the power crossfade.
void shape(const float* __restrict x, const float* __restrict fast, const float* __restrict slow,
           const ControlBlock& k, const float* __restrict clipNorm, float modeScale, float* __restrict out,
           int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        const float T = shaper::transientFromEnvelopes(fast[i], slow[i], k.sensitivity[i], modeScale);
        const shaper::Controls controls{k.attackDb[i], k.sustainDb[i], k.sensitivity[i], k.punch[i],
                                        k.clip[i],     k.mix[i],       k.outputGain[i]};
        const float y = shaper::shapeSample<fastmath::Approximations>(x[i], T, controls, clipNorm[i]);
        const float result = (y - x[i]) * k.power[i] + x[i];
        out[i] = isFinite(result) ? result : 0.0f;
    }
}

float largestMagnitude(const float* data, int n) noexcept
{
    const auto range = juce::FloatVectorOperations::findMinAndMax(data, n);
    return std::max(-range.getStart(), range.getEnd());
}
} // namespace

void BlockShaper::process(float* const* channels, int numChannels, int n, int focus,
                          const shaper::EnvelopeCoefficients& c, ParameterSmoothers& smoothers, ChannelState state,
                          Peaks& peaks) noexcept
{
    jassert(numChannels >= 0 && numChannels <= 2);
    for (int offset = 0; offset < n; offset += ControlBlock::maxSamples)
    {
        const int length = std::min(ControlBlock::maxSamples, n - offset);
        smoothers.render(controls, length);
        if (numChannels > 0)
            processStretch(channels, numChannels, offset, length, focus, c, state, peaks);
    }
}

void BlockShaper::processStretch(float* const* channels, int numChannels, int offset, int n, int focus,
                                 const shaper::EnvelopeCoefficients& c, ChannelState state, Peaks& peaks) noexcept
{
    for (int ch = 0; ch < numChannels; ++ch)
    {
        const float* source = channels[ch] + offset;
        for (int i = 0; i < n; ++i)
            input[ch][i] = isFinite(source[i]) ? source[i] : 0.0f; // a broken track counts as silence
        peaks.input[ch] = std::max(peaks.input[ch], largestMagnitude(input[ch], n));
    }

    switch (shaper::clampChoiceIndex(focus))
    {
        case 0:
            followEnvelopes<0>(numChannels, input, fast, slow, n, c, state);
            break;
        case 2:
            followEnvelopes<2>(numChannels, input, fast, slow, n, c, state);
            break;
        default:
            followEnvelopes<1>(numChannels, input, fast, slow, n, c, state);
            break;
    }

    // Once power or mix has settled at 0 the output is the input, sample for sample.
    const bool dry = (controls.power.constant && controls.power[0] == 0.0f)
                     || (controls.mix.constant && controls.mix[0] == 0.0f);

    if (!dry)
    {
        if (controls.clip.constant)
            std::fill(clipNorm, clipNorm + n, shaper::clipNormaliser(controls.clip[0]));
        else
            for (int i = 0; i < n; ++i)
                clipNorm[i] = shaper::clipNormaliser<fastmath::Approximations>(controls.clip[i]);
    }

    for (int ch = 0; ch < numChannels; ++ch)
    {
        float* out = channels[ch] + offset;
        if (dry)
            std::copy(input[ch], input[ch] + n, out);
        else
            shape(input[ch], fast[ch], slow[ch], controls, clipNorm, c.modeScale, out, n);
        peaks.output[ch] = std::max(peaks.output[ch], largestMagnitude(out, n));
    }
}
