#pragma once

#include "dsp/ControlBlock.h"
#include "dsp/FastMath.h"
#include "dsp/LiveSummary.h"

// The vectorised loops of the block path. The same loops are compiled for several instruction
// sets; the best one the processor supports is chosen at run time.
namespace shaping
{
// What the shaping loop finds of one channel's stretch for the live view, while it listens: the
// output's range and the largest transient amount. Given `transients`, it also keeps each
// sample's transient amount there (for a pass that reads the output again later).
struct ShapedStretch
{
    float* transients = nullptr;
    fastmath::SampleRange output;
    float transient = 0.0f;
};

// One channel from the envelope values after each sample to the output samples (transient
// amount, gains, punch, clip, output gain, mix and the power crossfade; a non-finite result
// becomes 0). clipNorm: shaper::clipNormaliser of the clip control, used while it holds still.
// Returns the largest magnitude written; given `live`, it also fills that in.
using Kernel = float (*)(const float* x, const float* fast, const float* slow, const ControlBlock& controls,
                        float clipNorm, float modeScale, float* out, int n, ShapedStretch* live) noexcept;

// Copies n samples, a broken one (shaper::audioOrSilence) becoming 0, and returns the largest magnitude copied; given
// a range, it also finds the range of the samples copied.
using Sanitise = float (*)(const float* source, float* destination, int n, fastmath::SampleRange* range) noexcept;

// What the live view takes of a stretch (n samples) of up to two channels, in one pass, where the
// shaping loop did not find it: the ranges of their input and of their output and their largest
// transient amount. For one channel both pointers of a pair name it.
struct LiveChannels
{
    const float* input[2];
    const float* output[2];
    const float* transients[2];
};
using LiveKernel = LiveSummary (*)(const LiveChannels& channels, int n) noexcept;

// The wet samples (shaper::shapeWet, as shaper::holdWet and applyHeldWet) of the four oversampled
// phases of n base samples, in place: phases[p][i] is phase p of base sample i, which takes the
// transient amount T[i] and the controls of the stretch's sample i.
using WetKernel = void (*)(float (*phases)[ControlBlock::maxSamples], const float* T, const ControlBlock& controls,
                           float clipNorm, int n) noexcept;

// The High path's detector: for each of n base samples, the largest magnitude of its four
// oversampled detection values (phases[p][i] is phase p of base sample i), refined to the peak of
// the parabola through each local maximum and its neighbours, and held over peakHold base
// samples. A value that is not a number, or absurdly large (beyond 1e18, far past anything the
// input ceiling lets through), counts as silence, so the peaks are always finite. `last` keeps
// the magnitudes of the last base sample and `held` the last peakHold - 1 windows' peaks from one
// stretch to the next.
inline constexpr int peakPhases = 4, peakHold = 4;
struct PeakState
{
    float last[peakPhases]{};
    float held[peakHold - 1]{};
};
using PeakKernel = void (*)(const float (*phases)[ControlBlock::maxSamples], PeakState& state, float* peaks,
                            int n) noexcept;

// out[i] = sum over t < numTaps of taps[t] * (newest[i - t] + oldest[i + t]), for i < n: the
// pairs of equal taps of a symmetric FIR filter. It computes whole groups of outputs (of firGroup
// at most): out, newest and oldest must have room for n rounded up to a multiple of firGroup.
inline constexpr int firGroup = 64;
using SymmetricFir = void (*)(const float* newest, const float* oldest, const float* taps, int numTaps, float* out,
                              int n) noexcept;

// The envelope pass's frames: frame i holds {a[i], a[i], b[i], b[i]} (each channel's sample in
// both of its lanes); unframing writes lane l of every frame to lanes[l] (four separate arrays).
using Frame = float[4];
using FrameKernel = void (*)(const float* a, const float* b, Frame* frames, int n) noexcept;
using UnframeKernel = void (*)(const Frame* frames, float* const* lanes, int n) noexcept;

// A signal at twice the rate as its even and odd samples, and back: both[2i] is even[i] and
// both[2i + 1] is odd[i], for i < n.
using Interleave = void (*)(const float* even, const float* odd, float* both, int n) noexcept;
using Deinterleave = void (*)(const float* both, float* even, float* odd, int n) noexcept;

struct Kernels
{
    Kernel shape;
    WetKernel wet;
    PeakKernel peaks;
    SymmetricFir symmetricFir;
    Sanitise sanitise;
    LiveKernel live;
    FrameKernel frame;
    UnframeKernel unframe;
    Interleave interleave;
    Deinterleave deinterleave;
};

enum class InstructionSet
{
    generic, // what the build targets (SSE2 on x86-64)
    avx2,    // AVX2 with FMA
    avx512   // AVX-512 (F, VL, DQ, BW) with FMA
};

// True when the build contains the kernel and this processor can run it.
bool isSupported(InstructionSet set) noexcept;

// The kernels in use: the best supported set, unless use() chose another.
const Kernels& activeKernels() noexcept;
InstructionSet activeInstructionSet() noexcept;

// Chooses a supported instruction set for all processors of this process (for tests and
// benchmarks); returns false and changes nothing when it is not supported.
bool use(InstructionSet set) noexcept;

const char* nameOf(InstructionSet set) noexcept;
} // namespace shaping
