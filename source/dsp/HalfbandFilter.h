#pragma once

#include "dsp/ControlBlock.h"

#include <juce_dsp/juce_dsp.h>

#include <array>
#include <cmath>

// One stage of 2x oversampling for up to two channels: the framework's equiripple half-band
// low-pass (linear phase, juce::dsp::FilterDesign) run as its two polyphase halves. Every other
// tap of a half-band filter is zero but the centre, so the doubled-rate signal is kept as two
// streams at the base rate (the even and the odd samples), and every loop runs over contiguous
// samples of a stretch. The interpolator and the decimator each delay by getCentre() samples at
// the doubled rate.
class HalfbandFilter
{
public:
    static constexpr int maxCentre = 255;
    static constexpr int maxSamples = 2 * ControlBlock::maxSamples; // enough for a second stage

    // Designs the filter for a transition width (a fraction of the doubled rate, centred on a
    // quarter of it) and a stopband attenuation in dB (negative). Allocates; call before use.
    void design(float transitionWidth, float stopbandDb);

    // Designs a filter of a given centre (odd, at most maxCentre): a Kaiser-windowed sinc at a
    // quarter of the doubled rate, the window made for a stopband attenuation in dB (negative).
    void designWithCentre(int centre, float stopbandDb);

    // The filter's delay in samples of the doubled rate (odd).
    int getCentre() const noexcept { return centre; }

    // Its response at a frequency (a fraction of the doubled rate), for tests and measurements.
    double magnitudeAt(double frequency) const noexcept;

    void reset() noexcept;

    // n (at most maxSamples) samples up to the doubled rate: even[i] and odd[i] are samples 2i
    // and 2i + 1.
    void interpolate(int channel, const float* in, float* even, float* odd, int n) noexcept;

    // The doubled-rate samples 2i (even[i]) and 2i + 1 (odd[i]) down to n samples. Given `ahead`
    // (room for n rounded up to a multiple of shaping::firGroup), it also predicts the output
    // `steps` samples later (at most (getCentre() + 1) / 2) from the samples known so far:
    // ahead[i] is out[i + steps] with the outermost `steps` pairs of taps left out, whose samples
    // are not all in yet. It misses by at most outerTapsSum(steps) times the largest magnitude of
    // the doubled-rate samples.
    void decimate(int channel, const float* even, const float* odd, float* out, int n, float* ahead = nullptr,
                  int steps = 0) noexcept;

    // The sum of the magnitudes of the outermost `pairs` pairs of taps (both taps of each).
    double outerTapsSum(int pairs) const noexcept;

    // The sum of the magnitudes of the decimator's taps: the most its output's magnitude can be for
    // a doubled-rate signal of magnitude 1 or less.
    double tapsSum() const noexcept { return outerTapsSum(numPairs) + std::abs(centreTap); }

private:
    // Takes the taps of a half-band filter design.
    void take(const juce::dsp::FIR::Coefficients<float>& coefficients);

    int centre = 1;
    int numPairs = 1;                              // taps h[2t], t < numPairs, each twice
    std::array<float, (maxCentre + 1) / 2> pairs{}; // h[2t]
    float centreTap = 0.5f;

    // Per channel: the history the filter needs, followed by the current stretch.
    float upInput[2][maxCentre + maxSamples]{};
    float downEven[2][maxCentre + maxSamples]{};
    float downOdd[2][(maxCentre + 1) / 2 + maxSamples]{};
};
