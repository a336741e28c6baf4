#pragma once

#include "dsp/ControlBlock.h"
#include "dsp/ShapingKernels.h"
#include "dsp/HalfbandFilter.h"

#include <array>

// The High quality path of the shaper for up to two channels: the wet signal (gains, punch and
// clip) is formed at four times the sample rate, where the saturation's harmonics have room
// before they fold back, and filtered back down, in two half-band stages each way. The detector
// rectifies at four times the rate too: its followers step once per base sample, toward the
// largest of the four oversampled detection values, so a high tone's peaks are seen between
// the samples and the transient amount does not beat with the sampling. That detection comes
// out of the same interpolators as the signal, so the two stay lined up. The dry signal is
// delayed by the path's latency, so the mix and the power crossfade stay in phase, and a mix of
// 0 gives the input delayed, sample for sample.
class OversampledPath
{
public:
    static constexpr int factor = 4;
    static_assert(factor == shaping::peakPhases, "the detector's peak finder takes one value per phase");

    OversampledPath();

    // The delay the path adds, in samples at the base rate (the same at every sample rate).
    int getLatency() const noexcept { return latency; }

    // Magnitude response of the whole path (interpolation and decimation) at a frequency given as
    // a fraction of the base rate, for tests and measurements.
    double passbandGainAt(double frequency) const noexcept;

    void reset() noexcept;

    // One channel's detection signal (n samples) to the largest magnitude of its four oversampled
    // values in each base sample, delayed as the signal is on its way up.
    void detectPeaks(int channel, const float* detection, float* peaks, int n) noexcept;

    // One channel of a stretch (n samples, at most ControlBlock::maxSamples): the input (finite),
    // the envelopes after each sample (from detectPeaks), the stretch's controls. Writes the
    // output (mixed, power crossfaded, non-finite results as 0) and returns its largest magnitude.
    // While the live view listens it also keeps each sample's transient amount in `transients`
    // and the input as late as the output in `delayedInput`.
    struct LiveTap
    {
        float* transients;
        float* delayedInput;
    };
    float process(int channel, const float* input, const float* fast, const float* slow, const ControlBlock& controls,
                  float modeScale, float clipNorm, float* out, int n, const LiveTap* tap) noexcept;

private:
    static constexpr int maxSamples = ControlBlock::maxSamples;
    static constexpr int maxLatency = 2 * HalfbandFilter::maxCentre;

    using Stages = std::array<HalfbandFilter, 2>; // base to twice the rate, twice to four times

    // n samples up to the four phases of each: phases[p][i] is oversampled sample 4 i + p.
    static void interpolate(Stages& stages, int channel, const float* in, float (*phases)[maxSamples], int n) noexcept;

    Stages interpolators, detectionInterpolators, decimators;
    int latency = 0;

    // Per channel, what the detector keeps between stretches, and the dry signal's history
    // followed by the current stretch.
    shaping::PeakState peakStates[2];
    float dry[2][maxLatency + maxSamples]{};
};
