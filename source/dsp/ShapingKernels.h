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
inline constexpr int wetPhases = 4;
using WetKernel = void (*)(float (*phases)[ControlBlock::maxSamples], const float* T, const ControlBlock& controls,
                           float clipNorm, int n) noexcept;

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

// The High path's followers (OversampledFollowers.h), in frames of four lanes (each channel's
// fast and slow follower): every base sample, followerSteps steps at that many times the rate,
// toward inputs[0][i], ..., inputs[3][i] in turn. One step moves an envelope e toward a to
// max((1 - cA) a + cA e, (1 - cR) a + cR e): with cA <= cR the larger of the attack and the
// release move is the one the follower makes (attack while a > e). Several steps are then the
// largest of the affine functions of e that the choices between attack and release give, of
// which only the largest intercept of each slope cA^k cR^(s - k) counts; those intercepts are
// worked out from the inputs alone, wide, so the chain from one base sample to the next is one
// composed step. Writes the mean of each base sample's envelopes after its second and its fourth
// step, low-passed by two one-pole stages of coefficient `smoothing`, to out[i]; `state` carries
// the envelopes and the low-passes on. Every inputs[p] must hold n rounded up to a multiple of
// four frames (the intercepts are worked out four frames at a time).
inline constexpr int followerSteps = 4;
struct FollowerConstants
{
    static constexpr int width = 16; // four frames' lanes
    // cA, cR, 1 - cA and 1 - cR of each lane of a frame, repeated for four frames.
    float attack[width], release[width], attackShare[width], releaseShare[width];
    // cA^k cR^(s - k) of each lane: after2[k] for s = 2, after4[k] for s = 4.
    Frame after2[3], after4[5];
    float smoothing;
};
struct FollowerState
{
    Frame envelope{}, lowPass{}, smoothed{};
};
// Room for the intercepts of a stretch: those of the envelopes after the second step (3) and the
// fourth (5), each as frames.
using FollowerIntercepts = float[8][4 * ControlBlock::maxSamples];
using FollowerKernel = void (*)(const Frame* const* inputs, const FollowerConstants& constants, FollowerState& state,
                                FollowerIntercepts& intercepts, Frame* out, int n) noexcept;

// High quality's ceiling (CeilingRide.h), the loops over a stretch of n samples. The first writes
// the gain each sample needs, required[lookAhead + i], from the prediction of its wet sample
// (ahead[i], missing by at most `error`) where clip[i] is at 1 (elsewhere 1), then
// wanted[i] = min(required[i], ..., required[i + lookAhead]). The second multiplies wet[i] by the
// mean of ramp[i], ..., ramp[i + lookAhead], kept under ceiling / |wet[i]| where clip[i] is at 1.
inline constexpr int ceilingLookAhead = 12;
using CeilingWantedKernel = void (*)(const float* ahead, const float* clip, float error, float ceiling,
                                     float* required, float* wanted, int n) noexcept;
using CeilingGainKernel = void (*)(const float* ramp, const float* clip, float ceiling, float* wet, int n) noexcept;

// A signal at twice the rate as its even and odd samples, and back: both[2i] is even[i] and
// both[2i + 1] is odd[i], for i < n.
using Interleave = void (*)(const float* even, const float* odd, float* both, int n) noexcept;
using Deinterleave = void (*)(const float* both, float* even, float* odd, int n) noexcept;

struct Kernels
{
    Kernel shape;
    WetKernel wet;
    SymmetricFir symmetricFir;
    Sanitise sanitise;
    LiveKernel live;
    FrameKernel frame;
    UnframeKernel unframe;
    FollowerKernel follow;
    CeilingWantedKernel ceilingWanted;
    CeilingGainKernel ceilingGain;
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
