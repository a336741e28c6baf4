#pragma once

#include "processor/ControlBlock.h"

// The vectorised pass of the block path for one channel: from the envelope values after each
// sample to the output samples (transient amount, gains, punch, clip, output gain, mix and the
// power crossfade; a non-finite result becomes 0). The same loop is compiled for several
// instruction sets; the best one the processor supports is chosen at run time.
namespace shaping
{
// clipNorm: shaper::clipNormaliser of the clip control, used while it holds still. Returns the
// largest magnitude written.
using Kernel = float (*)(const float* x, const float* fast, const float* slow, const ControlBlock& controls,
                        float clipNorm, float modeScale, float* out, int n) noexcept;

enum class InstructionSet
{
    generic, // what the build targets (SSE2 on x86-64)
    avx2,    // AVX2 with FMA
    avx512   // AVX-512 (F, VL, DQ, BW) with FMA
};

// True when the build contains the kernel and this processor can run it.
bool isSupported(InstructionSet set) noexcept;

// The kernel in use: the best supported one, unless use() chose another.
Kernel activeKernel() noexcept;
InstructionSet activeInstructionSet() noexcept;

// Chooses a supported instruction set for all processors of this process (for tests and
// benchmarks); returns false and changes nothing when it is not supported.
bool use(InstructionSet set) noexcept;

const char* nameOf(InstructionSet set) noexcept;
} // namespace shaping
