#pragma once

#include "dsp/CeilingRide.h"
#include "dsp/Choices.h"
#include "dsp/ControlBlock.h"
#include "dsp/DetectorState.h"
#include "dsp/EnvelopePass.h"
#include "dsp/HalfbandFilter.h"
#include "dsp/OversampledFollowers.h"
#include "dsp/ShapingKernels.h"

#include <array>

// The High quality path of the shaper for up to two channels: the wet signal (gains, punch and
// clip) is formed at four times the sample rate, where the saturation's harmonics have room
// before they fold back, and filtered back down, in two half-band stages each way. The detector
// runs at four times the rate too (OversampledFollowers): its followers step on every
// oversampled value of the rectified detection signal, so they see what lies between the
// samples, and a high tone's transient amount does not beat with the sampling. The detection's
// interpolators are shorter than the signal's by as much as the followers' smoothing delays, so
// the transient amounts line up with the signal. The dry signal is delayed by the path's
// latency, so the mix and the power crossfade stay in phase, and a mix of 0 gives the input
// delayed, sample for sample. At clip 100 the wet signal, once filtered back down, is kept under
// full scale (CeilingRide).
class OversampledPath
{
public:
    static constexpr int factor = 4;
    static_assert(factor == shaping::wetPhases, "the wet kernel shapes one value per phase");

    OversampledPath();

    // Sets the detector's coefficients and the ceiling's timing for a sample rate.
    void prepare(double sampleRate) noexcept
    {
        followers.prepare(sampleRate);
        ride.prepare(sampleRate);
    }

    // The delay the path adds, in samples at the base rate (the same at every sample rate).
    int getLatency() const noexcept { return latency; }

    // Magnitude response of the whole path (interpolation and decimation) at a frequency given as
    // a fraction of the base rate, for tests and measurements.
    double passbandGainAt(double frequency) const noexcept;

    void reset() noexcept;

    // The detector of the first numChannels channels of a stretch (n samples, at most
    // ControlBlock::maxSamples): the focus band (envelopePass::detect), up to four times the rate
    // and rectified (a value far beyond the input ceiling, or not a number, counting as silence),
    // then the followers (OversampledFollowers, in the given mode, linked or not). Writes each
    // base sample's envelopes, lined up with the signal on its way up, and moves the detector's
    // followers on.
    void detect(Focus focus, Mode mode, bool linked, int numChannels, const envelopePass::Stretch& input,
                envelopePass::Stretch& fast, envelopePass::Stretch& slow, int n,
                DetectorState& state) noexcept;

    // One channel of a stretch (n samples, at most ControlBlock::maxSamples): the input (finite),
    // the envelopes after each sample (from detect), the stretch's controls. Writes the
    // output (mixed, power crossfaded, non-finite results as 0) and returns its largest magnitude.
    // While the live view listens it also keeps each sample's transient amount in `transients`
    // and the input as late as the output in `delayedInput`.
    struct LiveTap
    {
        float* transients;
        float* delayedInput;
    };
    float process(int channel, const float* input, const float* fast, const float* slow,
                  const ControlBlock& controls, float modeScale, float clipNorm, float* out, int n,
                  const LiveTap* tap) noexcept;

private:
    static constexpr int maxSamples = ControlBlock::maxSamples;
    static constexpr int maxLatency = 2 * HalfbandFilter::maxCentre;

    using Stages = std::array<HalfbandFilter, 2>; // base to twice the rate, twice to four times

    // n samples up to the four phases of each: phases[p][i] is oversampled sample 4 i + p.
    static void interpolate(Stages& stages, int channel, const float* in, float (*phases)[maxSamples],
                            int n) noexcept;

    // One channel's detection signal up to the oversampled rate and rectified, into
    // rectified[channel].
    void rectify(int channel, const float* detection, int n) noexcept;

    Stages interpolators, detectionInterpolators, decimators;
    OversampledFollowers followers;
    CeilingRide ride;
    int latency = 0;
    float predictionError = 0.0f; // the most the ride's predictions miss by at clip 100

    // Per channel: the detection's rectified values of the stretch, and the dry signal's history
    // followed by the current stretch.
    alignas(64) OversampledFollowers::Values rectified{};
    float dry[2][maxLatency + maxSamples]{};
};
