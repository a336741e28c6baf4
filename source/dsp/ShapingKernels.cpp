#include "dsp/ShapingKernels.h"

#include "dsp/FastMath.h"
#include "dsp/ShaperCore.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <limits>

// The x86 kernels are the generic loop compiled for wider vectors through the compiler's
// target attribute; the functions they inline keep the build's own instruction set wherever
// they are compiled out of line, so nothing built for AVX can leak into the generic path.
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
    #define TARVOLT_X86_KERNELS 1
#else
    #define TARVOLT_X86_KERNELS 0
#endif

namespace shaping
{
namespace
{
// The controls of sample i of a stretch.
forcedinline shaper::Controls controlsAt(const ControlBlock& k, int i) noexcept
{
    shaper::Controls controls;
    for (size_t c = 0; c < numControls; ++c)
        controls.values[c] = k.ramps[c].values[i];
    return controls;
}

// clipNorm is the clip curve's normaliser while the clip control holds still; while it ramps the
// normaliser follows it sample by sample.
template <bool clipRamps>
forcedinline float clipNormAt(const ControlBlock& k, int i, float clipNorm) noexcept
{
    return clipRamps ? shaper::clipNormaliser<fastmath::Approximations>(k[Control::clip][i]) : clipNorm;
}

// The smaller and the larger of two values, as values (a choice between two references does not
// vectorise).
forcedinline float smaller(float a, float b) noexcept
{
    return b < a ? b : a;
}

forcedinline float larger(float a, float b) noexcept
{
    return a < b ? b : a;
}

// A non-finite sample becomes 0.
forcedinline float finiteOrZero(float v) noexcept
{
    return std::abs(v) <= std::numeric_limits<float>::max() ? v : 0.0f;
}

// The ranges and largest values below are kept in float lanes, as OpenMP simd reductions: the
// samples are finite, so the order in which the lanes are joined only decides which zero a range
// ends on when it holds both.
constexpr float noSample = std::numeric_limits<float>::max();

// The range a reduction over n samples found (empty for none).
forcedinline fastmath::SampleRange rangeOf(float lowest, float highest, int n) noexcept
{
    return n > 0 ? fastmath::SampleRange{lowest, highest} : fastmath::SampleRange{};
}

// Three passes over the stretch: the transient amounts, the gains and punch, then the clip,
// output gain, mix and power. Each sample's chain of operations is long; cut into three, more
// samples of each pass are in flight at once.
template <bool clipRamps>
forcedinline void shapeLoop(const float* __restrict x, const float* __restrict fast, const float* __restrict slow,
                            const ControlBlock& k, float clipNorm, float modeScale, float* __restrict out,
                            int n, float* __restrict transients) noexcept
{
    alignas(64) float wet[ControlBlock::maxSamples];
    for (int i = 0; i < n; ++i)
        transients[i] = shaper::transientFromEnvelopes(fast[i], slow[i], k[Control::sensitivity][i], modeScale);
    for (int i = 0; i < n; ++i)
        wet[i] = shaper::gainsAndPunch<fastmath::Approximations>(x[i], transients[i], controlsAt(k, i));
    for (int i = 0; i < n; ++i)
    {
        const float clipped = shaper::clipStage<fastmath::Approximations>(wet[i], k[Control::clip][i],
                                                                          clipNormAt<clipRamps>(k, i, clipNorm));
        const float result = (shaper::mixWet(clipped, x[i], controlsAt(k, i)) - x[i]) * k[Control::power][i] + x[i];
        out[i] = finiteOrZero(result);
    }
}

// The live view's share of a shaped stretch, in the pass that takes the meters' peak.
forcedinline float takeLive(const float* __restrict out, const float* __restrict T, int n, ShapedStretch& live) noexcept
{
    float lo = noSample, hi = -noSample, transient = 0.0f;
#pragma omp simd reduction(min : lo) reduction(max : hi, transient)
    for (int i = 0; i < n; ++i)
    {
        lo = smaller(lo, out[i]);
        hi = larger(hi, out[i]);
        transient = larger(transient, T[i]);
    }
    live.output = rangeOf(lo, hi, n);
    live.transient = transient;
    return live.output.largestMagnitude();
}

forcedinline float shapeAll(const float* x, const float* fast, const float* slow, const ControlBlock& k,
                           float clipNorm, float modeScale, float* out, int n, ShapedStretch* live) noexcept
{
    alignas(64) float own[ControlBlock::maxSamples];
    float* T = live != nullptr && live->transients != nullptr ? live->transients : own;
    if (k[Control::clip].constant)
        shapeLoop<false>(x, fast, slow, k, clipNorm, modeScale, out, n, T);
    else
        shapeLoop<true>(x, fast, slow, k, clipNorm, modeScale, out, n, T);
    return live != nullptr ? takeLive(out, T, n, *live) : fastmath::largestMagnitude(out, n);
}

forcedinline float sanitiseAll(const float* __restrict source, float* __restrict destination, int n,
                               fastmath::SampleRange* range) noexcept
{
    if (range == nullptr)
    {
        for (int i = 0; i < n; ++i)
            destination[i] = shaper::audioOrSilence(source[i]);
        return fastmath::largestMagnitude(destination, n);
    }
    // The range on the way, in the copy's loop.
    float lo = noSample, hi = -noSample;
#pragma omp simd reduction(min : lo) reduction(max : hi)
    for (int i = 0; i < n; ++i)
    {
        const float v = shaper::audioOrSilence(source[i]);
        destination[i] = v;
        lo = smaller(lo, v);
        hi = larger(hi, v);
    }
    *range = rangeOf(lo, hi, n);
    return range->largestMagnitude();
}

template <bool clipRamps>
forcedinline void wetLoop(float (*phases)[ControlBlock::maxSamples], const float* __restrict T, const ControlBlock& k,
                          float clipNorm, int n) noexcept
{
    // What holds for each base sample is worked out once and applied to its four phases in the
    // same step, while it is still in registers.
    static_assert(wetPhases == 4, "one line for each phase below");
    float* __restrict p0 = phases[0];
    float* __restrict p1 = phases[1];
    float* __restrict p2 = phases[2];
    float* __restrict p3 = phases[3];
    for (int i = 0; i < n; ++i)
    {
        const auto h = shaper::holdWet<fastmath::Approximations>(T[i], controlsAt(k, i), clipNormAt<clipRamps>(k, i, clipNorm));
        p0[i] = shaper::applyHeldWet<fastmath::Approximations>(p0[i], h);
        p1[i] = shaper::applyHeldWet<fastmath::Approximations>(p1[i], h);
        p2[i] = shaper::applyHeldWet<fastmath::Approximations>(p2[i], h);
        p3[i] = shaper::applyHeldWet<fastmath::Approximations>(p3[i], h);
    }
}

forcedinline void wetAll(float (*phases)[ControlBlock::maxSamples], const float* T, const ControlBlock& k,
                         float clipNorm, int n) noexcept
{
    if (k[Control::clip].constant)
        wetLoop<false>(phases, T, k, clipNorm, n);
    else
        wetLoop<true>(phases, T, k, clipNorm, n);
}

// Outputs in groups whose sums stay in registers over all taps: as many as the vector registers
// hold while their sums run side by side. The last group is computed whole, past n (the callers'
// buffers have room for it), and each output is summed over the taps in the same order whatever
// its group: the result depends neither on how a host cuts the audio into blocks nor on the
// instruction set's group size.
template <int group>
forcedinline void symmetricFirAll(const float* __restrict newest, const float* __restrict oldest,
                                  const float* __restrict taps, int numTaps, float* __restrict out, int n) noexcept
{
    static_assert(firGroup % group == 0, "the callers' room is for whole groups of firGroup");
    for (int i = 0; i < n; i += group)
    {
        float sum[group] = {};
        for (int t = 0; t < numTaps; ++t)
        {
            const float tap = taps[t];
            const float* a = newest + i - t;
            const float* b = oldest + i + t;
            for (int j = 0; j < group; ++j)
                sum[j] += tap * (a[j] + b[j]);
        }
        std::copy(sum, sum + group, out + i);
    }
}

forcedinline LiveSummary liveAll(const LiveChannels& c, int n) noexcept
{
    const float* __restrict in0 = c.input[0];
    const float* __restrict in1 = c.input[1];
    const float* __restrict out0 = c.output[0];
    const float* __restrict out1 = c.output[1];
    const float* __restrict t0 = c.transients[0];
    const float* __restrict t1 = c.transients[1];
    float inLo = noSample, inHi = -noSample, outLo = noSample, outHi = -noSample, transient = 0.0f;
#pragma omp simd reduction(min : inLo, outLo) reduction(max : inHi, outHi, transient)
    for (int i = 0; i < n; ++i)
    {
        inLo = smaller(inLo, smaller(in0[i], in1[i]));
        inHi = larger(inHi, larger(in0[i], in1[i]));
        outLo = smaller(outLo, smaller(out0[i], out1[i]));
        outHi = larger(outHi, larger(out0[i], out1[i]));
        transient = larger(transient, larger(t0[i], t1[i]));
    }
    const auto input = rangeOf(inLo, inHi, n), output = rangeOf(outLo, outHi, n);
    return {input.lowest, input.highest, output.lowest, output.highest, transient, std::max(n, 0)};
}

forcedinline void frameAll(const float* __restrict a, const float* __restrict b, Frame* __restrict frames, int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        frames[i][0] = a[i], frames[i][1] = a[i];
        frames[i][2] = b[i], frames[i][3] = b[i];
    }
}

forcedinline void unframeAll(const Frame* __restrict frames, float* __restrict lane0, float* __restrict lane1,
                             float* __restrict lane2, float* __restrict lane3, int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        lane0[i] = frames[i][0], lane1[i] = frames[i][1];
        lane2[i] = frames[i][2], lane3[i] = frames[i][3];
    }
}

forcedinline void followAll(const Frame* const* __restrict inputs, const FollowerConstants& c, FollowerState& state,
                           FollowerIntercepts& intercepts, Frame* __restrict out, int n) noexcept
{
    static_assert(followerSteps == 4, "four steps written out below");
    constexpr int width = FollowerConstants::width, lanes = 4;

    // The intercepts, sixteen lanes at a time: I[k] after step s is the largest of the attack move
    // from I[k - 1] and the release move from I[k] after step s - 1.
    const float* __restrict a0 = inputs[0][0];
    const float* __restrict a1 = inputs[1][0];
    const float* __restrict a2 = inputs[2][0];
    const float* __restrict a3 = inputs[3][0];
    float* __restrict t20 = intercepts[0];
    float* __restrict t21 = intercepts[1];
    float* __restrict t22 = intercepts[2];
    float* __restrict t40 = intercepts[3];
    float* __restrict t41 = intercepts[4];
    float* __restrict t42 = intercepts[5];
    float* __restrict t43 = intercepts[6];
    float* __restrict t44 = intercepts[7];
    const int values = lanes * ((n + 3) / 4 * 4);
    for (int start = 0; start < values; start += width)
#pragma omp simd
        for (int j = 0; j < width; ++j)
        {
            const int v = start + j;
            const float cA = c.attack[j], cR = c.release[j], mA = c.attackShare[j], mR = c.releaseShare[j];
            const float i10 = a0[v] * mR, i11 = a0[v] * mA;
            const float u1 = a1[v] * mA, v1 = a1[v] * mR;
            const float i20 = v1 + cR * i10, i21 = larger(u1 + cA * i10, v1 + cR * i11), i22 = u1 + cA * i11;
            const float u2 = a2[v] * mA, v2 = a2[v] * mR;
            const float i30 = v2 + cR * i20, i31 = larger(u2 + cA * i20, v2 + cR * i21),
                        i32 = larger(u2 + cA * i21, v2 + cR * i22), i33 = u2 + cA * i22;
            const float u3 = a3[v] * mA, v3 = a3[v] * mR;
            t20[v] = i20, t21[v] = i21, t22[v] = i22;
            t40[v] = v3 + cR * i30;
            t41[v] = larger(u3 + cA * i30, v3 + cR * i31);
            t42[v] = larger(u3 + cA * i31, v3 + cR * i32);
            t43[v] = larger(u3 + cA * i32, v3 + cR * i33);
            t44[v] = u3 + cA * i33;
        }

    // The envelopes, one base sample after the other: after the second step and after the fourth,
    // each the largest of its affine functions of the envelope before the first.
    const auto& S2 = c.after2;
    const auto& S4 = c.after4;
    float e[lanes], low[lanes], smooth[lanes];
    for (int l = 0; l < lanes; ++l)
        e[l] = state.envelope[l], low[l] = state.lowPass[l], smooth[l] = state.smoothed[l];
    const float g = c.smoothing;
    for (int i = 0; i < n; ++i)
#pragma omp simd
        for (int l = 0; l < lanes; ++l)
        {
            const int v = lanes * i + l;
            const float x = e[l];
            const float e2 = larger(larger(t20[v] + S2[0][l] * x, t21[v] + S2[1][l] * x), t22[v] + S2[2][l] * x);
            const float e4 = larger(larger(larger(t40[v] + S4[0][l] * x, t41[v] + S4[1][l] * x),
                                           larger(t42[v] + S4[2][l] * x, t43[v] + S4[3][l] * x)),
                                    t44[v] + S4[4][l] * x);
            e[l] = e4;
            low[l] += g * (0.5f * (e2 + e4) - low[l]);
            smooth[l] += g * (low[l] - smooth[l]);
            out[i][l] = smooth[l];
        }
    for (int l = 0; l < lanes; ++l)
        state.envelope[l] = e[l], state.lowPass[l] = low[l], state.smoothed[l] = smooth[l];
}

forcedinline void ceilingWantedAll(const float* __restrict ahead, const float* __restrict clip, float error,
                                  float ceiling, float* __restrict required, float* __restrict wanted, int n) noexcept
{
    constexpr int K = ceilingLookAhead;
    for (int i = 0; i < n; ++i)
        required[K + i] = clip[i] >= 1.0f ? ceiling / larger(ceiling, std::abs(ahead[i]) + error) : 1.0f;
    for (int i = 0; i < n; ++i)
        wanted[i] = required[i];
    // One offset at a time, each pass over contiguous samples.
    for (int j = 1; j <= K; ++j)
        for (int i = 0; i < n; ++i)
            wanted[i] = smaller(wanted[i], required[i + j]);
}

forcedinline void ceilingGainAll(const float* __restrict ramp, const float* __restrict clip, float ceiling,
                                 float* __restrict wet, int n) noexcept
{
    constexpr int K = ceilingLookAhead;
    alignas(64) float sum[ControlBlock::maxSamples];
    for (int i = 0; i < n; ++i)
        sum[i] = ramp[i];
    for (int j = 1; j <= K; ++j)
        for (int i = 0; i < n; ++i)
            sum[i] += ramp[i + j];
    constexpr float share = 1.0f / (float) (K + 1);
    for (int i = 0; i < n; ++i)
    {
        const float magnitude = std::abs(wet[i]);
        const float atMost = clip[i] >= 1.0f && magnitude > ceiling ? ceiling / magnitude : 1.0f;
        wet[i] *= smaller(sum[i] * share, atMost);
    }
}

forcedinline void interleaveAll(const float* __restrict even, const float* __restrict odd, float* __restrict both,
                               int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        both[2 * i] = even[i];
        both[2 * i + 1] = odd[i];
    }
}

forcedinline void deinterleaveAll(const float* __restrict both, float* __restrict even, float* __restrict odd,
                                 int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        even[i] = both[2 * i];
        odd[i] = both[2 * i + 1];
    }
}

// Each kernel set is the same code compiled for one instruction set.
#define TARVOLT_KERNEL_SET(prefix, firOutputs, attributes)                                                             \
    attributes float prefix##Shape(const float* x, const float* fast, const float* slow, const ControlBlock& k,        \
                                   float clipNorm, float modeScale, float* out, int n, ShapedStretch* live) noexcept   \
    {                                                                                                                  \
        return shapeAll(x, fast, slow, k, clipNorm, modeScale, out, n, live);                                          \
    }                                                                                                                  \
    attributes float prefix##Sanitise(const float* source, float* destination, int n,                                 \
                                      fastmath::SampleRange* range) noexcept                                           \
    {                                                                                                                  \
        return sanitiseAll(source, destination, n, range);                                                             \
    }                                                                                                                  \
    attributes void prefix##Wet(float (*phases)[ControlBlock::maxSamples], const float* T, const ControlBlock& k,     \
                                float clipNorm, int n) noexcept                                                        \
    {                                                                                                                  \
        wetAll(phases, T, k, clipNorm, n);                                                                             \
    }                                                                                                                  \
    attributes void prefix##Fir(const float* newest, const float* oldest, const float* taps, int numTaps, float* out, \
                                int n) noexcept                                                                        \
    {                                                                                                                  \
        symmetricFirAll<firOutputs>(newest, oldest, taps, numTaps, out, n);                                            \
    }                                                                                                                  \
    attributes LiveSummary prefix##Live(const LiveChannels& channels, int n) noexcept                                  \
    {                                                                                                                  \
        return liveAll(channels, n);                                                                                   \
    }                                                                                                                  \
    attributes void prefix##Frame(const float* a, const float* b, Frame* frames, int n) noexcept                       \
    {                                                                                                                  \
        frameAll(a, b, frames, n);                                                                                     \
    }                                                                                                                  \
    attributes void prefix##Unframe(const Frame* frames, float* const* lanes, int n) noexcept                         \
    {                                                                                                                  \
        unframeAll(frames, lanes[0], lanes[1], lanes[2], lanes[3], n);                                                 \
    }                                                                                                                  \
    attributes void prefix##Follow(const Frame* const* inputs, const FollowerConstants& constants,                      \
                                   FollowerState& state, FollowerIntercepts& intercepts, Frame* out, int n) noexcept   \
    {                                                                                                                  \
        followAll(inputs, constants, state, intercepts, out, n);                                                       \
    }                                                                                                                  \
    attributes void prefix##CeilingWanted(const float* ahead, const float* clip, float error, float ceiling,            \
                                          float* required, float* wanted, int n) noexcept                              \
    {                                                                                                                  \
        ceilingWantedAll(ahead, clip, error, ceiling, required, wanted, n);                                            \
    }                                                                                                                  \
    attributes void prefix##CeilingGain(const float* ramp, const float* clip, float ceiling, float* wet, int n) noexcept \
    {                                                                                                                  \
        ceilingGainAll(ramp, clip, ceiling, wet, n);                                                                   \
    }                                                                                                                  \
    attributes void prefix##Interleave(const float* even, const float* odd, float* both, int n) noexcept               \
    {                                                                                                                  \
        interleaveAll(even, odd, both, n);                                                                             \
    }                                                                                                                  \
    attributes void prefix##Deinterleave(const float* both, float* even, float* odd, int n) noexcept                   \
    {                                                                                                                  \
        deinterleaveAll(both, even, odd, n);                                                                           \
    }                                                                                                                  \
    const Kernels prefix##Kernels{prefix##Shape,         prefix##Wet,         prefix##Fir,                              \
                                   prefix##Sanitise,      prefix##Live,        prefix##Frame,                            \
                                   prefix##Unframe,       prefix##Follow,      prefix##CeilingWanted,                    \
                                   prefix##CeilingGain,   prefix##Interleave,  prefix##Deinterleave};

// The FIR sums 32 outputs side by side. AVX-512 sums 64 (four of its 32 registers), so that
// its multiply-adds do not wait on each other; AVX2's loop waits on its loads, not its sums, and
// gains nothing from more.
TARVOLT_KERNEL_SET(generic, 32, )
#if TARVOLT_X86_KERNELS
TARVOLT_KERNEL_SET(avx2, 32, __attribute__((target("avx2,fma"))))
TARVOLT_KERNEL_SET(avx512, 64, __attribute__((target("avx512f,avx512vl,avx512dq,avx512bw,avx2,fma,prefer-vector-width=512"))))
#endif
#undef TARVOLT_KERNEL_SET

const Kernels& kernelsOf(InstructionSet set) noexcept
{
#if TARVOLT_X86_KERNELS
    if (set == InstructionSet::avx512)
        return avx512Kernels;
    if (set == InstructionSet::avx2)
        return avx2Kernels;
#endif
    juce::ignoreUnused(set);
    return genericKernels;
}

InstructionSet bestSupported() noexcept
{
    for (auto set : {InstructionSet::avx512, InstructionSet::avx2})
        if (isSupported(set))
            return set;
    return InstructionSet::generic;
}

// Set while the library loads, so the audio thread only ever reads it.
std::atomic<InstructionSet> chosenSet{bestSupported()};

std::atomic<InstructionSet>& chosen() noexcept
{
    return chosenSet;
}
} // namespace

bool isSupported(InstructionSet set) noexcept
{
    switch (set)
    {
#if TARVOLT_X86_KERNELS
        case InstructionSet::avx512:
            __builtin_cpu_init(); // may run before the compiler's own start-up code
            // The compiler's CPU check includes the operating system's support for the registers.
            return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl")
                   && __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512bw")
                   && __builtin_cpu_supports("fma");
        case InstructionSet::avx2:
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
#endif
        case InstructionSet::generic:
            return true;
        default:
            return false;
    }
}

const Kernels& activeKernels() noexcept
{
    return kernelsOf(activeInstructionSet());
}

InstructionSet activeInstructionSet() noexcept
{
    return chosen().load(std::memory_order_relaxed);
}

bool use(InstructionSet set) noexcept
{
    if (!isSupported(set))
        return false;
    chosen().store(set, std::memory_order_relaxed);
    return true;
}

const char* nameOf(InstructionSet set) noexcept
{
    switch (set)
    {
        case InstructionSet::avx512: return "AVX-512";
        case InstructionSet::avx2: return "AVX2";
        case InstructionSet::generic: break;
    }
    return "generic";
}
} // namespace shaping
