#pragma once

#include "dsp/ControlBlock.h"
#include "dsp/ShapingKernels.h"

// High quality's ceiling: at clip 100 the clip is a ceiling at full scale, as it is at Standard.
// The oversampled clip's output stays under it, but filtered back down to the base rate a clipped
// wave peaks higher (a clipped 15 kHz tone keeps only its square's fundamental, 4/pi of it). This
// ride keeps the wet signal, once filtered down, under full scale with a smooth gain, for up to
// two channels, each on its own (as each is clipped on its own).
//
// Exact output values exist only once the decimator has them, 71 samples after the input, and
// the latency must not grow, so the ride looks ahead with predictions: the decimator's output
// `lookAhead` samples later from the samples it already has (HalfbandFilter::decimate), which
// misses by at most `predictionError` (the taps left out times the most the oversampled clip puts
// out). For each output sample m the ride needs the gain
//   r[m] = min(1, ceiling / (|prediction of m| + predictionError)),
// and applies
//   g[n] = mean(q[n - lookAhead], ..., q[n]),  q[n] = min(h[n], q[n - 1] held, then released),
//   h[n] = min(r[n], ..., r[n + lookAhead]),
// so every g[n] is at most r[n] (each q in the mean is at most an h whose window holds n): the
// gain ramps down over lookAhead samples before a peak, holds for holdSeconds after the last, and
// comes back with releaseSeconds (heading for releaseTarget and stopping at 1, so that it comes
// to rest). The loops over whole stretches are kernels (shaping::CeilingWantedKernel and
// CeilingGainKernel). The hold bridges the gaps between a steady tone's highest
// samples (the pattern in which its samples fall on its crests repeats within a few milliseconds
// for most tones), so a steady tone gets an all but steady gain. Where a prediction could not
// be trusted (while the clip moves to 100, the decimator still holds samples clipped less), the
// gain is also never above ceiling / |w[n]| at the sample itself.
//
// Below clip 100 the clip is no ceiling (at Standard either: its unclipped share passes), and the
// ride asks for nothing: it releases and then rests.
class CeilingRide
{
public:
    static constexpr int lookAhead = shaping::ceilingLookAhead;
    static constexpr float ceiling = 1.0f;
    static constexpr double holdSeconds = 0.005, releaseSeconds = 0.01;
    static constexpr float releaseTarget = 1.001f; // the release heads for this and stops at 1

    // Hold and release for a sample rate; the ride starts at rest.
    void prepare(double sampleRate) noexcept;
    void reset() noexcept;

    // Whether a stretch whose clip control is `clip` needs the ride (and so the predictions):
    // while the clip is at 100 somewhere in it, or the gain is not yet back at rest.
    bool isNeeded(int channel, const ControlBlock::Ramp& clip, int n) const noexcept;

    // Rides n samples of one channel's wet signal in place. ahead[i]: the prediction of the wet
    // signal lookAhead samples after wet[i]; clip: the clip control of each sample.
    void apply(int channel, float* wet, const float* ahead, const float* clip, float predictionError,
               int n) noexcept;

private:
    static constexpr int maxSamples = ControlBlock::maxSamples;

    struct Channel
    {
        // The gains r the samples need, from the stretch's first to lookAhead after its last, and
        // the ramp q over the lookAhead samples before the stretch and the stretch; the first
        // lookAhead of each come from the stretch before.
        float required[lookAhead + maxSamples];
        float ramp[lookAhead + maxSamples];
        float holdLeft; // samples (a whole number)
        bool resting;
    };

    void rest(Channel& channel) noexcept;

    Channel channels[2]{};
    int holdSamples = 0;
    float release = 0.0f; // the share of the way back to 1 that each sample covers
};
