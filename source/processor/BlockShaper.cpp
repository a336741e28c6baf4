#include "processor/BlockShaper.h"

#include "processor/FastMath.h"
#include "processor/LaneSelect.h"
#include "processor/ShapingKernels.h"

#include <cstdint>
#include <limits>

namespace
{
using Vec = juce::dsp::SIMDRegister<float>;
using Mask = Vec::vMaskType;

inline bool isFinite(float v) noexcept
{
    return std::abs(v) <= std::numeric_limits<float>::max(); // false for infinities and NaN
}

// One step of an envelope follower in every lane: both candidates are computed and the
// comparison picks one, so no lane waits for it before multiplying.
forcedinline Vec follow(Vec envelope, Vec a, Vec attack, Vec release) noexcept
{
    const Vec toward = envelope - a;
    return selectLanes<float>(Vec::greaterThan(a, envelope), toward * attack + a, toward * release + a);
}

// Lanes of one register, filled element by element.
struct Lanes
{
    alignas(32) float values[Vec::SIMDNumElements]{};

    Vec get() const noexcept { return Vec::fromRawArray(values); }
};

// Pass 1: focus filters and envelope followers of both channels in the lanes of one register.
// Filters: lane 2 ch holds channel ch's low band, lane 2 ch + 1 its high band. Envelopes: lane
// 2 ch the fast and lane 2 ch + 1 the slow follower of channel ch. The comparisons become
// masks, so the loop has no data-dependent branch; every lane computes exactly what
// FocusFilter and shaper::followEnvelopes compute. A band the focus does not use runs along
// in its lane, but its state is not written back.
template <int focus>
void followEnvelopes(int numChannels, const float (*input)[ControlBlock::maxSamples],
                     float (*fast)[ControlBlock::maxSamples], float (*slow)[ControlBlock::maxSamples], int n,
                     const shaper::EnvelopeCoefficients& c, BlockShaper::ChannelState state) noexcept
{
    static_assert(Vec::SIMDNumElements >= 4, "four lanes: two bands or two envelopes of two channels");
    Lanes b0, b1, b2, a1, a2, s1, s2, envelope, attack, release;
    for (int ch = 0; ch < 2; ++ch)
    {
        const FocusFilter* bands[] = {&state.lowFocusFilters[ch], &state.highFocusFilters[ch]};
        for (int band = 0; band < 2; ++band)
        {
            const auto lane = (size_t) (2 * ch + band);
            b0.values[lane] = bands[band]->b0, b1.values[lane] = bands[band]->b1, b2.values[lane] = bands[band]->b2;
            a1.values[lane] = bands[band]->a1, a2.values[lane] = bands[band]->a2;
            s1.values[lane] = bands[band]->s1, s2.values[lane] = bands[band]->s2;
        }
        const auto lane = (size_t) (2 * ch);
        envelope.values[lane] = state.fastEnvelope[ch], envelope.values[lane + 1] = state.slowEnvelope[ch];
        attack.values[lane] = c.fastAttack, attack.values[lane + 1] = c.slowAttack;
        release.values[lane] = c.fastRelease, release.values[lane + 1] = c.slowRelease;
    }

    // The input as frames of lanes (each channel's sample in both of its lanes), written well
    // before they are read back as registers.
    alignas(32) float frames[ControlBlock::maxSamples][Vec::SIMDNumElements];
    for (int i = 0; i < n; ++i)
        for (int lane = 0; lane < (int) Vec::SIMDNumElements; ++lane)
            frames[i][lane] = lane / 2 < numChannels ? input[lane / 2][i] : 0.0f;

    const Vec vb0 = b0.get(), vb1 = b1.get(), vb2 = b2.get(), va1 = a1.get(), va2 = a2.get();
    const Vec vAttack = attack.get(), vRelease = release.get();
    Vec vs1 = s1.get(), vs2 = s2.get(), env = envelope.get();
    const Vec largest = Vec::expand(std::numeric_limits<float>::max());
    const Mask allSet = Mask::expand(~0u);
    const Mask magnitudeBits = Mask::expand(0x7fffffffu);
    bool restarted[2]{false, false};

    for (int i = 0; i < n; ++i)
    {
        const Vec x = Vec::fromRawArray(frames[i]);
        const Vec y = (vb0 * x) + vs1;
        vs1 = (vb1 * x) - (va1 * y) + vs2;
        vs2 = (vb2 * x) - (va2 * y);

        // The detection signal lands in the even lanes.
        const Vec bandsSwapped = Vec::fromNative(Vec::NativeOps::swapevenodd(y.value));
        Vec d;
        if constexpr (focus == 0)
            d = y;
        else if constexpr (focus == 2)
            d = bandsSwapped;
        else
            d = bandsSwapped * 0.25f + ((x - y) * 0.2f + x * 0.55f);

        // |d| of each channel, for both of its envelopes.
        Vec a = Vec::fromNative(Vec::NativeOps::dupeven(d.value)) & magnitudeBits;
        const Mask finite = Vec::lessThanOrEqual(a, largest);
        if (!(finite == allSet)) // a filter overflowed on an absurd input: that channel starts afresh
        {
            vs1 = vs1 & finite, vs2 = vs2 & finite, env = env & finite, a = a & finite;
            restarted[0] = restarted[0] || finite.get(0) == 0;
            restarted[1] = restarted[1] || finite.get(2) == 0;
        }

        env = follow(env, a, vAttack, vRelease);
        env.copyToRawArray(frames[i]); // the frame's input has been read: its slot takes the envelopes
    }

    for (int ch = 0; ch < numChannels; ++ch)
        for (int i = 0; i < n; ++i)
        {
            fast[ch][i] = frames[i][2 * ch];
            slow[ch][i] = frames[i][2 * ch + 1];
        }

    s1 = {}, s2 = {}, envelope = {};
    vs1.copyToRawArray(s1.values);
    vs2.copyToRawArray(s2.values);
    env.copyToRawArray(envelope.values);
    for (int ch = 0; ch < numChannels; ++ch)
    {
        FocusFilter* bands[] = {&state.lowFocusFilters[ch], &state.highFocusFilters[ch]};
        for (int band = 0; band < 2; ++band)
        {
            const bool used = focus == 1 || focus == 2 * band;
            const auto lane = (size_t) (2 * ch + band);
            if (used || restarted[ch])
            {
                bands[band]->s1 = used ? s1.values[lane] : 0.0f;
                bands[band]->s2 = used ? s2.values[lane] : 0.0f;
            }
        }
        state.fastEnvelope[ch] = envelope.values[(size_t) (2 * ch)];
        state.slowEnvelope[ch] = envelope.values[(size_t) (2 * ch + 1)];
    }
}

// Copies a channel's input, a broken track's non-finite samples becoming silence, and returns
// the largest magnitude copied.
float sanitise(const float* source, float* destination, int n) noexcept
{
    for (int i = 0; i < n; ++i)
        destination[i] = isFinite(source[i]) ? source[i] : 0.0f;
    return fastmath::largestMagnitude(destination, n);
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
    float inputPeak[2]{};
    for (int ch = 0; ch < numChannels; ++ch)
    {
        inputPeak[ch] = sanitise(channels[ch] + offset, input[ch], n);
        peaks.input[ch] = std::max(peaks.input[ch], inputPeak[ch]);
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

    if (controls.clip[0] != normalisedClip) // the normaliser only changes with the clip control
    {
        normalisedClip = controls.clip[0];
        clipNorm = shaper::clipNormaliser(normalisedClip);
    }
    const auto kernel = shaping::activeKernel();
    for (int ch = 0; ch < numChannels; ++ch)
    {
        float* out = channels[ch] + offset;
        float outputPeak = inputPeak[ch];
        if (dry)
            std::copy(input[ch], input[ch] + n, out);
        else
            outputPeak = kernel(input[ch], fast[ch], slow[ch], controls, clipNorm, c.modeScale, out, n);
        peaks.output[ch] = std::max(peaks.output[ch], outputPeak);
    }
}
