#include "processor/LiveReduction.h"

#include "processor/ShaperCore.h"
#include "processor/ShapingKernels.h"

#include <limits>

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
    #define TARVOLT_X86_KERNELS 1
#else
    #define TARVOLT_X86_KERNELS 0
#endif

namespace liveReduction
{
namespace
{
// Each lane keeps its own smallest and largest values, so the loop needs no reordering of
// comparisons to vectorise; the lanes are joined once at the end.
constexpr int lanes = 16;

struct Lanes
{
    float inputMin[lanes], inputMax[lanes], outputMin[lanes], outputMax[lanes], transient[lanes];
};

forcedinline void take(Lanes& a, int lane, const LiveStretch& s, int second, int i) noexcept
{
    const float* const* in = s.input;
    const float* const* out = s.output;
    a.inputMin[lane] = std::min(a.inputMin[lane], std::min(in[0][i], in[second][i]));
    a.inputMax[lane] = std::max(a.inputMax[lane], std::max(in[0][i], in[second][i]));
    a.outputMin[lane] = std::min(a.outputMin[lane], std::min(out[0][i], out[second][i]));
    a.outputMax[lane] = std::max(a.outputMax[lane], std::max(out[0][i], out[second][i]));
    const float t0 = shaper::transientFromEnvelopes(s.fast[0][i], s.slow[0][i], s.sensitivity[i], s.modeScale);
    const float t1 =
        shaper::transientFromEnvelopes(s.fast[second][i], s.slow[second][i], s.sensitivity[i], s.modeScale);
    a.transient[lane] = std::max(a.transient[lane], std::max(t0, t1));
}

forcedinline LiveSummary summariseAll(const LiveStretch& s) noexcept
{
    // A mono stretch reads its one channel twice.
    const int second = s.numChannels > 1 ? 1 : 0;
    constexpr float largest = std::numeric_limits<float>::max();

    Lanes a;
    for (int l = 0; l < lanes; ++l)
    {
        a.inputMin[l] = a.outputMin[l] = largest;
        a.inputMax[l] = a.outputMax[l] = -largest;
        a.transient[l] = 0.0f;
    }

    const int n = s.numSamples;
    const int whole = n - n % lanes;
    for (int i = 0; i < whole; i += lanes)
        for (int l = 0; l < lanes; ++l)
            take(a, l, s, second, i + l);
    for (int i = whole; i < n; ++i)
        take(a, 0, s, second, i);

    LiveSummary summary{a.inputMin[0], a.inputMax[0], a.outputMin[0], a.outputMax[0], a.transient[0], n};
    for (int l = 1; l < lanes; ++l)
        summary.append({a.inputMin[l], a.inputMax[l], a.outputMin[l], a.outputMax[l], a.transient[l], 0});
    return summary;
}

#define TARVOLT_SUMMARISE(prefix, attributes)                                                                          \
    attributes LiveSummary prefix##Summarise(const LiveStretch& s) noexcept                                            \
    {                                                                                                                  \
        return summariseAll(s);                                                                                        \
    }

TARVOLT_SUMMARISE(generic, )
#if TARVOLT_X86_KERNELS
TARVOLT_SUMMARISE(avx2, __attribute__((target("avx2,fma"))))
TARVOLT_SUMMARISE(avx512, __attribute__((target("avx512f,avx512vl,avx512dq,avx512bw,avx2,fma,prefer-vector-width=512"))))
#endif
#undef TARVOLT_SUMMARISE
} // namespace

LiveSummary summarise(const LiveStretch& stretch) noexcept
{
    if (stretch.numSamples <= 0 || stretch.numChannels <= 0)
        return {};
    switch (shaping::activeInstructionSet())
    {
#if TARVOLT_X86_KERNELS
        case shaping::InstructionSet::avx512:
            return avx512Summarise(stretch);
        case shaping::InstructionSet::avx2:
            return avx2Summarise(stretch);
#endif
        default:
            return genericSummarise(stretch);
    }
}
} // namespace liveReduction
