#include "dsp/EnvelopePass.h"

#include "dsp/LaneSelect.h"
#include "dsp/ShapingKernels.h"

#include <limits>
#include <type_traits>
#include <utility>

namespace
{
using Vec = juce::dsp::SIMDRegister<float>;
using Mask = Vec::vMaskType;

// One step of an envelope follower in every lane: both candidates are computed and the
// comparison picks one, so no lane waits for it before multiplying.
forcedinline Vec followOne(Vec envelope, Vec a, Vec attack, Vec release) noexcept
{
    const Vec toward = envelope - a;
    return selectLanes<float>(Vec::greaterThan(a, envelope), toward * attack + a, toward * release + a);
}

// The same step with the coefficient chosen first: the multiply waits for the comparison, but
// there are two instructions fewer. With the stereo link the pass runs two follower chains, and
// their instructions rather than a chain's latency set its pace. (Both give the same bits.)
forcedinline Vec followOneCompact(Vec envelope, Vec a, Vec attack, Vec release) noexcept
{
    return (envelope - a) * selectLanes<float>(Vec::greaterThan(a, envelope), attack, release) + a;
}

// Each channel's pair of lanes swapped with the other channel's: lanes 0, 1 with lanes 2, 3.
template <typename Register>
forcedinline Register swapChannels(Register v) noexcept
{
#if JUCE_USE_SSE_INTRINSICS
    if constexpr (std::is_same_v<Register, Vec> && Register::SIMDNumElements == 4)
        return Register::fromNative(_mm_shuffle_ps(v.value, v.value, _MM_SHUFFLE(1, 0, 3, 2)));
#endif
    typename Register::ElementType lanes[Register::SIMDNumElements];
    v.copyToRawArray(lanes);
    std::swap(lanes[0], lanes[2]);
    std::swap(lanes[1], lanes[3]);
    return Register::fromRawArray(lanes);
}

// Lanes of one register, filled element by element.
struct Lanes
{
    alignas(32) float values[Vec::SIMDNumElements]{};

    Vec get() const noexcept { return Vec::fromRawArray(values); }
};

// What a pass runs: filters and followers, or the filters alone.
enum class Stage
{
    whole,    // input to envelopes (fast, slow)
    detection // input to the detection signal (into fast)
};

// The pass for one focus (lane layout: see the header). The comparisons become masks, so the
// loop has no data-dependent branch. Linked, a second register holds the linked pair of
// followers in both channels' lanes, which takes the larger of the two channels' rectified values
// (and so stays equal in both); the channels' own followers run alongside in the first.
template <int focus, bool linked, Stage stage = Stage::whole>
void fusedPass(int numChannels, const envelopePass::Stretch& input, envelopePass::Stretch& fast,
               envelopePass::Stretch& slow, int n, const shaper::EnvelopeCoefficients& c,
               DetectorState& detector) noexcept
{
    constexpr bool followers = stage == Stage::whole;
    static_assert(Vec::SIMDNumElements == 4, "four lanes: two bands or two envelopes of two channels");
    auto& state = detector.channels;
    if constexpr (followers)
    {
        if constexpr (linked)
            detector.link();
        else
            detector.linked = false;
    }
    Lanes b0, b1, b2, a1, a2, s1, s2, envelope, linkedEnvelope, attack, release;
    for (int ch = 0; ch < 2; ++ch)
    {
        const FocusFilter* bands[] = {&state[(size_t) ch].lowBand, &state[(size_t) ch].highBand};
        for (int band = 0; band < 2; ++band)
        {
            const auto lane = (size_t) (2 * ch + band);
            b0.values[lane] = bands[band]->b0, b1.values[lane] = bands[band]->b1, b2.values[lane] = bands[band]->b2;
            a1.values[lane] = bands[band]->a1, a2.values[lane] = bands[band]->a2;
            s1.values[lane] = bands[band]->s1, s2.values[lane] = bands[band]->s2;
        }
        const auto lane = (size_t) (2 * ch);
        const auto& envelopes = state[(size_t) ch];
        envelope.values[lane] = envelopes.fastEnvelope, envelope.values[lane + 1] = envelopes.slowEnvelope;
        linkedEnvelope.values[lane] = detector.linkedFast, linkedEnvelope.values[lane + 1] = detector.linkedSlow;
        attack.values[lane] = c.fastAttack, attack.values[lane + 1] = c.slowAttack;
        release.values[lane] = c.fastRelease, release.values[lane + 1] = c.slowRelease;
    }

    // The input as frames of lanes (each channel's sample in both of its lanes), and the results
    // back from frames to the channels, by the kernels of the chosen instruction set: wide
    // registers move sixteen frames at a time, while the loop below waits on its filters and
    // followers. A missing second channel reads silence and writes to a spare, as do the slow
    // lanes when the pass only detects.
    static constexpr float silence[ControlBlock::maxSamples]{};
    float spare[3][ControlBlock::maxSamples];
    const bool stereo = numChannels > 1;
    const auto& kernels = shaping::activeKernels();
    alignas(64) shaping::Frame frames[ControlBlock::maxSamples];
    kernels.frame(input[0], stereo ? input[1] : silence, frames, n);

    const Vec vb0 = b0.get(), vb1 = b1.get(), vb2 = b2.get(), va1 = a1.get(), va2 = a2.get();
    const Vec vAttack = attack.get(), vRelease = release.get();
    Vec vs1 = s1.get(), vs2 = s2.get(), env = envelope.get(), shared = linkedEnvelope.get();
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

        d = Vec::fromNative(Vec::NativeOps::dupeven(d.value));
        Vec a = d & magnitudeBits; // the rectified value of each channel, for both of its envelopes
        const Mask finite = Vec::lessThanOrEqual(a, largest);
        if (!(finite == allSet)) // a filter overflowed on an absurd input: that channel starts afresh
        {
            vs1 = vs1 & finite, vs2 = vs2 & finite, a = a & finite, d = d & finite;
            env = env & finite;
            if constexpr (linked)
                shared = shared & finite & swapChannels(finite);
            restarted[0] = restarted[0] || finite.get(0) == 0;
            restarted[1] = restarted[1] || finite.get(2) == 0;
        }
        if constexpr (!followers)
        {
            d.copyToRawArray(frames[i]);
            continue;
        }
        // The frame's input has been read: its slot takes the envelopes the channels use.
        if constexpr (linked)
        {
            env = followOneCompact(env, a, vAttack, vRelease);
            shared = followOneCompact(shared, Vec::max(a, swapChannels(a)), vAttack, vRelease);
            shared.copyToRawArray(frames[i]);
        }
        else
        {
            env = followOne(env, a, vAttack, vRelease);
            env.copyToRawArray(frames[i]);
        }
    }

    float* const results[4] = {fast[0], followers ? slow[0] : spare[0], stereo ? fast[1] : spare[1],
                               followers && stereo ? slow[1] : spare[2]};
    kernels.unframe(frames, results, n);

    s1 = {}, s2 = {}, envelope = {};
    vs1.copyToRawArray(s1.values);
    vs2.copyToRawArray(s2.values);
    env.copyToRawArray(envelope.values);
    if constexpr (linked)
    {
        shared.copyToRawArray(linkedEnvelope.values);
        detector.linkedFast = linkedEnvelope.values[0];
        detector.linkedSlow = linkedEnvelope.values[1];
    }
    for (int ch = 0; ch < numChannels; ++ch)
    {
        FocusFilter* bands[] = {&state[(size_t) ch].lowBand, &state[(size_t) ch].highBand};
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
        state[(size_t) ch].fastEnvelope = envelope.values[(size_t) (2 * ch)];
        state[(size_t) ch].slowEnvelope = envelope.values[(size_t) (2 * ch + 1)];
    }
    if constexpr (!followers) // a restart clears the linked pair too, as the whole pass does
        if (restarted[0] || restarted[1])
            detector.linkedFast = detector.linkedSlow = 0.0f;
}

} // namespace

void envelopePass::run(int focus, bool linked, int numChannels, const Stretch& input, Stretch& fast, Stretch& slow,
                       int n, const shaper::EnvelopeCoefficients& c, DetectorState& state) noexcept
{
    using Pass = void (*)(int, const Stretch&, Stretch&, Stretch&, int, const shaper::EnvelopeCoefficients&,
                          DetectorState&) noexcept;
    static constexpr Pass passes[2][3] = {{fusedPass<0, false>, fusedPass<1, false>, fusedPass<2, false>},
                                          {fusedPass<0, true>, fusedPass<1, true>, fusedPass<2, true>}};
    passes[linked && numChannels == 2 ? 1 : 0][shaper::clampChoiceIndex(focus)](numChannels, input, fast, slow, n, c,
                                                                                 state);
}

void envelopePass::detect(int focus, int numChannels, const Stretch& input, Stretch& d, int n,
                          DetectorState& state) noexcept
{
    using Pass = void (*)(int, const Stretch&, Stretch&, Stretch&, int, const shaper::EnvelopeCoefficients&,
                          DetectorState&) noexcept;
    static constexpr Pass passes[3] = {fusedPass<0, false, Stage::detection>, fusedPass<1, false, Stage::detection>,
                                       fusedPass<2, false, Stage::detection>};
    // The followers are left as they are: their coefficients and envelopes are not touched.
    passes[shaper::clampChoiceIndex(focus)](numChannels, input, d, d, n, shaper::EnvelopeCoefficients{}, state);
}
