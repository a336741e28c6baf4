#include "processor/BlockShaper.h"

#include "processor/FastMath.h"
#include "processor/ShapingKernels.h"

#include <limits>

namespace
{
using Vec = juce::dsp::SIMDRegister<float>;
using Mask = Vec::vMaskType;

inline bool isFinite(float v) noexcept
{
    return std::abs(v) <= std::numeric_limits<float>::max(); // false for infinities and NaN
}

// a where the mask is set, b elsewhere.
forcedinline Vec select(Mask mask, Vec a, Vec b) noexcept
{
    return Vec::fromNative(Vec::NativeOps::bit_or((a & mask).value, (b & ~mask).value));
}

// One step of an envelope follower in every lane: both candidates are computed and the
// comparison picks one, so no lane waits for it before multiplying.
forcedinline Vec follow(Vec envelope, Vec a, Vec attack, Vec release) noexcept
{
    const Vec toward = envelope - a;
    return select(Vec::greaterThan(a, envelope), toward * attack + a, toward * release + a);
}

// The focus filters of both channels, one channel per lane, stepped exactly like FocusFilter.
struct FilterLanes
{
    Vec b0, b1, b2, a1, a2, s1, s2;

    template <typename Get>
    static Vec lanes(Get get) noexcept
    {
        alignas(16) float v[Vec::SIMDNumElements]{};
        v[0] = get(0);
        v[1] = get(1);
        return Vec::fromRawArray(v);
    }

    static FilterLanes load(const FocusFilter* f) noexcept
    {
        return {lanes([f](int ch) { return f[ch].b0; }), lanes([f](int ch) { return f[ch].b1; }),
                lanes([f](int ch) { return f[ch].b2; }), lanes([f](int ch) { return f[ch].a1; }),
                lanes([f](int ch) { return f[ch].a2; }), lanes([f](int ch) { return f[ch].s1; }),
                lanes([f](int ch) { return f[ch].s2; })};
    }

    void storeState(FocusFilter* f, int numChannels) const noexcept
    {
        for (int ch = 0; ch < numChannels; ++ch)
        {
            f[ch].s1 = s1.get((size_t) ch);
            f[ch].s2 = s2.get((size_t) ch);
        }
    }

    forcedinline Vec processSample(Vec x) noexcept
    {
        const Vec y = (b0 * x) + s1;
        s1 = (b1 * x) - (a1 * y) + s2;
        s2 = (b2 * x) - (a2 * y);
        return y;
    }
};

// Pass 1: focus filters and envelope followers, both channels side by side in the lanes of one
// register (the comparisons become masks, so the loop has no data-dependent branch).
template <int focus>
void followEnvelopes(int numChannels, const float (*input)[ControlBlock::maxSamples],
                     float (*fast)[ControlBlock::maxSamples], float (*slow)[ControlBlock::maxSamples], int n,
                     const shaper::EnvelopeCoefficients& c, BlockShaper::ChannelState state) noexcept
{
    auto low = FilterLanes::load(state.lowFocusFilters);
    auto high = FilterLanes::load(state.highFocusFilters);
    Vec fastEnv = FilterLanes::lanes([&state](int ch) { return state.fastEnvelope[ch]; });
    Vec slowEnv = FilterLanes::lanes([&state](int ch) { return state.slowEnvelope[ch]; });
    const Vec fastAttack = Vec::expand(c.fastAttack), fastRelease = Vec::expand(c.fastRelease);
    const Vec slowAttack = Vec::expand(c.slowAttack), slowRelease = Vec::expand(c.slowRelease);
    const Vec largest = Vec::expand(std::numeric_limits<float>::max());
    const Mask allSet = Mask::expand(~0u);
    const Mask magnitudeBits = Mask::expand(0x7fffffffu);

    // The input as frames of lanes, written well before they are read back as registers.
    alignas(32) float frames[ControlBlock::maxSamples][Vec::SIMDNumElements];
    for (int i = 0; i < n; ++i)
        for (int lane = 0; lane < (int) Vec::SIMDNumElements; ++lane)
            frames[i][lane] = lane < numChannels ? input[lane][i] : 0.0f;

    for (int i = 0; i < n; ++i)
    {
        const Vec x = Vec::fromRawArray(frames[i]);

        Vec d;
        if constexpr (focus == 0)
            d = low.processSample(x);
        else if constexpr (focus == 2)
            d = high.processSample(x);
        else
        {
            const Vec l = low.processSample(x);
            const Vec h = high.processSample(x);
            d = h * 0.25f + ((x - l) * 0.2f + x * 0.55f);
        }

        Vec a = d & magnitudeBits; // |d|, without the framework's multiply-based abs
        if (!(Vec::lessThanOrEqual(a, largest) == allSet)) // a filter overflowed: that channel starts afresh
        {
            const Mask finite = Vec::lessThanOrEqual(a, largest);
            low.s1 = low.s1 & finite, low.s2 = low.s2 & finite;
            high.s1 = high.s1 & finite, high.s2 = high.s2 & finite;
            fastEnv = fastEnv & finite, slowEnv = slowEnv & finite;
            a = a & finite;
        }

        fastEnv = follow(fastEnv, a, fastAttack, fastRelease);
        slowEnv = follow(slowEnv, a, slowAttack, slowRelease);

        fast[0][i] = fastEnv.get(0);
        slow[0][i] = slowEnv.get(0);
        if (numChannels > 1)
        {
            fast[1][i] = fastEnv.get(1);
            slow[1][i] = slowEnv.get(1);
        }
    }

    low.storeState(state.lowFocusFilters, numChannels);
    high.storeState(state.highFocusFilters, numChannels);
    for (int ch = 0; ch < numChannels; ++ch)
    {
        state.fastEnvelope[ch] = fastEnv.get((size_t) ch);
        state.slowEnvelope[ch] = slowEnv.get((size_t) ch);
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

    const float clipNorm = shaper::clipNormaliser(controls.clip[0]);
    const auto kernel = shaping::activeKernel();
    for (int ch = 0; ch < numChannels; ++ch)
    {
        float* out = channels[ch] + offset;
        if (dry)
            std::copy(input[ch], input[ch] + n, out);
        else
            kernel(input[ch], fast[ch], slow[ch], controls, clipNorm, c.modeScale, out, n);
        peaks.output[ch] = std::max(peaks.output[ch], largestMagnitude(out, n));
    }
}
