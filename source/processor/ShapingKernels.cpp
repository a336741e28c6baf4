#include "processor/ShapingKernels.h"

#include "processor/FastMath.h"
#include "processor/ShaperCore.h"

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
// clipNorm is the clip curve's normaliser while the clip control holds still; while it ramps the
// normaliser follows it sample by sample.
template <bool clipRamps>
forcedinline float shapeLoop(const float* __restrict x, const float* __restrict fast, const float* __restrict slow,
                            const ControlBlock& k, float clipNorm, float modeScale, float* __restrict out,
                            int n) noexcept
{
    for (int i = 0; i < n; ++i)
    {
        const float T = shaper::transientFromEnvelopes(fast[i], slow[i], k[Control::sensitivity][i], modeScale);
        shaper::Controls controls;
        for (size_t c = 0; c < numControls; ++c)
            controls.values[c] = k.ramps[c].values[i];
        const float norm = clipRamps ? shaper::clipNormaliser<fastmath::Approximations>(k[Control::clip][i]) : clipNorm;
        const float y = shaper::shapeSample<fastmath::Approximations>(x[i], T, controls, norm);
        const float result = (y - x[i]) * k[Control::power][i] + x[i];
        out[i] = std::abs(result) <= std::numeric_limits<float>::max() ? result : 0.0f;
    }
    return fastmath::largestMagnitude(out, n);
}

forcedinline float shapeAll(const float* x, const float* fast, const float* slow, const ControlBlock& k,
                           float clipNorm, float modeScale, float* out, int n) noexcept
{
    return k[Control::clip].constant ? shapeLoop<false>(x, fast, slow, k, clipNorm, modeScale, out, n)
                           : shapeLoop<true>(x, fast, slow, k, clipNorm, modeScale, out, n);
}

float shapeGeneric(const float* x, const float* fast, const float* slow, const ControlBlock& k, float clipNorm,
                  float modeScale, float* out, int n) noexcept
{
    return shapeAll(x, fast, slow, k, clipNorm, modeScale, out, n);
}

#if TARVOLT_X86_KERNELS
__attribute__((target("avx2,fma"))) float shapeAvx2(const float* x, const float* fast, const float* slow,
                                                   const ControlBlock& k, float clipNorm, float modeScale,
                                                   float* out, int n) noexcept
{
    return shapeAll(x, fast, slow, k, clipNorm, modeScale, out, n);
}

__attribute__((target("avx512f,avx512vl,avx512dq,avx512bw,avx2,fma,prefer-vector-width=512"))) float
    shapeAvx512(const float* x, const float* fast, const float* slow, const ControlBlock& k, float clipNorm,
                float modeScale, float* out, int n) noexcept
{
    return shapeAll(x, fast, slow, k, clipNorm, modeScale, out, n);
}
#endif

Kernel kernelOf(InstructionSet set) noexcept
{
#if TARVOLT_X86_KERNELS
    if (set == InstructionSet::avx512)
        return shapeAvx512;
    if (set == InstructionSet::avx2)
        return shapeAvx2;
#endif
    juce::ignoreUnused(set);
    return shapeGeneric;
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

Kernel activeKernel() noexcept
{
    return kernelOf(activeInstructionSet());
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
