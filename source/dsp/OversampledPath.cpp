#include "dsp/OversampledPath.h"

#include "dsp/ShaperCore.h"
#include "dsp/ShapingKernels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{
// First stage (base rate to twice it): flat within 0.01 dB up to 20 kHz at 44.1 kHz (passband to
// 0.2275 of the doubled rate, stopband from 0.2725). Second stage (twice to four times): it only
// has to keep the first stage's band, so its transition is wide and the filter short.
struct Design
{
    float transitionWidth, stopbandDb;
};
constexpr Design firstStage{0.045f, -90.0f};
constexpr Design secondStageUp{0.25f, -100.0f};
// Half a doubled-rate sample shorter than the interpolator's, so that the whole path delays by a
// whole number of base samples.
constexpr Design secondStageDown{0.25f, -80.0f};
// The detection's first stage, whose length its delay sets: a Kaiser window for this stopband.
constexpr float detectionStopbandDb = -80.0f;

// The largest rectified detection value the followers take. Behind the input ceiling the focus
// filters and the interpolators keep the detection signal within a few times that ceiling, so
// anything far beyond it (or not a number) can only come from a fault upstream and counts as
// silence: no such value pumps the followers up or poisons them.
constexpr float largestDetection = 100.0f * shaper::inputCeiling;

constexpr int factor = OversampledPath::factor;
} // namespace

OversampledPath::OversampledPath()
{
    for (auto* stages : {&interpolators, &decimators})
        stages->at(0).design(firstStage.transitionWidth, firstStage.stopbandDb);
    for (auto* stages : {&interpolators, &detectionInterpolators})
        stages->at(1).design(secondStageUp.transitionWidth, secondStageUp.stopbandDb);
    decimators[1].design(secondStageDown.transitionWidth, secondStageDown.stopbandDb);
    // The detection's first stage is shorter than the signal's by the followers' lead (two
    // doubled-rate samples a base sample), so the detection comes out that much earlier.
    detectionInterpolators[0].designWithCentre(interpolators[0].getCentre() - 2 * OversampledFollowers::lead,
                                               detectionStopbandDb);

    // At clip 100 the oversampled wet signal is at most 1 / tanh(5) (with a little room for
    // rounding); the first decimator's output at most its taps' sum times that, and the second's
    // predictions miss by at most that times the taps they leave out.
    constexpr double mostClipped = 1.0002;
    predictionError = (float) (decimators[0].outerTapsSum(CeilingRide::lookAhead) * decimators[1].tapsSum() * mostClipped);

    // Each filter delays by an odd number of samples at its doubled rate: c1 / 2 + c2 / 4 base
    // samples for each direction.
    const int up = 2 * interpolators[0].getCentre() + interpolators[1].getCentre();
    const int down = 2 * decimators[0].getCentre() + decimators[1].getCentre();
    jassert((up + down) % factor == 0);
    latency = (up + down) / factor;
    jassert(latency <= maxLatency);
}

double OversampledPath::passbandGainAt(double frequency) const noexcept
{
    double gain = 1.0;
    for (const auto* stage : {&interpolators, &decimators})
        gain *= (*stage)[0].magnitudeAt(frequency / 2.0) * (*stage)[1].magnitudeAt(frequency / 4.0);
    return gain;
}

void OversampledPath::reset() noexcept
{
    for (auto* stages : {&interpolators, &detectionInterpolators, &decimators})
        for (auto& filter : *stages)
            filter.reset();
    for (auto& history : dry)
        std::fill(std::begin(history), std::end(history), 0.0f);
    followers.reset();
    ride.reset();
}

void OversampledPath::interpolate(Stages& stages, int channel, const float* in, float (*phases)[maxSamples],
                                  int n) noexcept
{
    // Base rate to twice it (two streams of n), interleaved, then to four times it (two streams
    // of 2n), whose even and odd samples are the four phases of each base sample.
    alignas(32) float even[2 * maxSamples], odd[2 * maxSamples], twice[2 * maxSamples];
    const auto& kernels = shaping::activeKernels();
    stages[0].interpolate(channel, in, even, odd, n);
    kernels.interleave(even, odd, twice, n);
    stages[1].interpolate(channel, twice, even, odd, 2 * n);
    kernels.deinterleave(even, phases[0], phases[2], n);
    kernels.deinterleave(odd, phases[1], phases[3], n);
}

void OversampledPath::rectify(int channel, const float* detection, int n) noexcept
{
    alignas(32) float phases[factor][maxSamples];
    interpolate(detectionInterpolators, channel, detection, phases, n);
    auto& r = rectified[channel];
    for (int p = 0; p < factor; ++p)
        for (int i = 0; i < n; ++i)
        {
            const float magnitude = std::abs(phases[p][i]);
            r[p][i] = magnitude <= largestDetection ? magnitude : 0.0f;
        }
}

void OversampledPath::detect(Focus focus, Mode mode, bool linked, int numChannels, const envelopePass::Stretch& input,
                             envelopePass::Stretch& fast, envelopePass::Stretch& slow, int n,
                             DetectorState& state) noexcept
{
    envelopePass::Stretch detection;
    envelopePass::detect(choiceIndex(focus), numChannels, input, detection, n, state);
    for (int ch = 0; ch < numChannels; ++ch)
        rectify(ch, detection[ch], n);
    followers.run(mode, linked, numChannels, rectified, fast, slow, n, state);
}

float OversampledPath::process(int channel, const float* input, const float* fast, const float* slow,
                               const ControlBlock& controls, float modeScale, float clipNorm, float* out, int n,
                               const LiveTap* tap) noexcept
{
    const auto& kernels = shaping::activeKernels();

    alignas(32) float phases[factor][maxSamples];
    interpolate(interpolators, channel, input, phases, n);

    // Each base sample's transient amount holds for its four phases (what that holding adds lies
    // above the base rate's band, where the decimators take it away).
    alignas(32) float own[maxSamples];
    float* const T = tap != nullptr ? tap->transients : own; // kept for the live view while it listens
    for (int i = 0; i < n; ++i)
        T[i] = shaper::transientFromEnvelopes(fast[i], slow[i], controls[Control::sensitivity][i], modeScale);
    kernels.wet(phases, T, controls, clipNorm, n);

    // Down the same way.
    alignas(32) float even[2 * maxSamples], odd[2 * maxSamples], twice[2 * maxSamples];
    kernels.interleave(phases[0], phases[2], even, n);
    kernels.interleave(phases[1], phases[3], odd, n);
    decimators[1].decimate(channel, even, odd, twice, 2 * n);
    kernels.deinterleave(twice, even, odd, n);
    alignas(32) float wet[maxSamples];
    const bool riding = ride.isNeeded(channel, controls[Control::clip], n);
    alignas(32) float ahead[maxSamples];
    decimators[0].decimate(channel, even, odd, wet, n, riding ? ahead : nullptr, CeilingRide::lookAhead);
    if (riding)
        ride.apply(channel, wet, ahead, controls[Control::clip].values, predictionError, n);

    float* x = dry[channel]; // the input latency samples back is x[i]
    std::copy(input, input + n, x + latency);
    const auto& outputGain = controls[Control::outputGain];
    const auto& mix = controls[Control::mix];
    const auto& power = controls[Control::power];
    for (int i = 0; i < n; ++i)
    {
        const float result = (wet[i] * outputGain[i] - x[i]) * mix[i] + x[i];
        const float y = (result - x[i]) * power[i] + x[i];
        out[i] = std::abs(y) <= std::numeric_limits<float>::max() ? y : 0.0f;
    }
    if (tap != nullptr)
        std::copy(x, x + n, tap->delayedInput);
    std::copy(x + n, x + n + latency, x);
    return fastmath::largestMagnitude(out, n);
}
