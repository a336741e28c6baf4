#include "dsp/HalfbandFilter.h"

#include "dsp/ShapingKernels.h"

#include <juce_dsp/juce_dsp.h>

#include <algorithm>
#include <cmath>

void HalfbandFilter::design(float transitionWidth, float stopbandDb)
{
    const auto coefficients =
        juce::dsp::FilterDesign<float>::designFIRLowpassHalfBandEquirippleMethod(transitionWidth, stopbandDb);
    take(*coefficients);
}

void HalfbandFilter::designWithCentre(int newCentre, float stopbandDb)
{
    // The Kaiser window's beta for an attenuation A (in dB, above 50): 0.1102 (A - 8.7).
    const float beta = 0.1102f * (-stopbandDb - 8.7f);
    const auto coefficients = juce::dsp::FilterDesign<float>::designFIRLowpassWindowMethod(
        0.25f, 1.0, (size_t) (2 * newCentre), juce::dsp::WindowingFunction<float>::kaiser, beta);
    take(*coefficients);
}

void HalfbandFilter::take(const juce::dsp::FIR::Coefficients<float>& coefficients)
{
    const int length = (int) coefficients.getFilterOrder() + 1;
    const float* h = coefficients.getRawCoefficients();

    // A half-band filter of odd length 2c + 1 with c odd: h[c] = 1/2, and the other non-zero
    // taps sit at even indices, symmetric about the centre.
    centre = (length - 1) / 2;
    jassert(length % 2 == 1 && centre % 2 == 1 && centre <= maxCentre);
    centre = std::min(centre, maxCentre);
    numPairs = (centre + 1) / 2;
    for (int t = 0; t < numPairs; ++t)
        pairs[(size_t) t] = h[2 * t];
    centreTap = h[centre];
    reset();
}

double HalfbandFilter::magnitudeAt(double frequency) const noexcept
{
    const double w = juce::MathConstants<double>::twoPi * frequency;
    // Zero phase about the centre: h[c] + 2 sum h[2t] cos((c - 2t) w).
    double response = centreTap;
    for (int t = 0; t < numPairs; ++t)
        response += 2.0 * pairs[(size_t) t] * std::cos((centre - 2 * t) * w);
    return std::abs(response);
}

double HalfbandFilter::outerTapsSum(int count) const noexcept
{
    double sum = 0.0;
    for (int t = 0; t < std::min(count, numPairs); ++t)
        sum += 2.0 * std::abs(pairs[(size_t) t]);
    return sum;
}

void HalfbandFilter::reset() noexcept
{
    for (int ch = 0; ch < 2; ++ch)
    {
        std::fill(std::begin(upInput[ch]), std::end(upInput[ch]), 0.0f);
        std::fill(std::begin(downEven[ch]), std::end(downEven[ch]), 0.0f);
        std::fill(std::begin(downOdd[ch]), std::end(downOdd[ch]), 0.0f);
    }
}

// With zeros between the input samples, the even outputs take the even taps (twice, for the
// lost energy) and the odd outputs only the centre tap:
//   even[i] = 2 sum_t h[2t] (x[i - t] + x[i - c + t]),  odd[i] = 2 h[c] x[i - (c - 1) / 2]
void HalfbandFilter::interpolate(int channel, const float* in, float* even, float* odd, int n) noexcept
{
    float* buffer = upInput[channel]; // x[i - c] is buffer[i]
    std::copy(in, in + n, buffer + centre);
    shaping::activeKernels().symmetricFir(buffer + centre, buffer, pairs.data(), numPairs, even, n);
    const float* delayed = buffer + centre - (centre - 1) / 2;
    for (int i = 0; i < n; ++i)
    {
        even[i] *= 2.0f;
        odd[i] = 2.0f * centreTap * delayed[i];
    }
    std::copy(buffer + n, buffer + n + centre, buffer);
}

// The output keeps the even samples of the filtered signal:
//   out[i] = sum_t h[2t] (even[i - t] + even[i - c + t]) + h[c] odd[i - (c + 1) / 2]
// The prediction `steps` ahead keeps the pairs t >= steps, whose samples even[i + steps - t] and
// even[i + steps - c + t] are both in, and the centre tap's odd[i + steps - (c + 1) / 2]:
//   ahead[i] = sum_{t >= steps} h[2t] (even[i - (t - steps)] + even[i + 2 steps - c + (t - steps)])
//              + h[c] odd[i + steps - (c + 1) / 2]
void HalfbandFilter::decimate(int channel, const float* even, const float* odd, float* out, int n, float* ahead,
                              int steps) noexcept
{
    float* evens = downEven[channel]; // even[i - c] is evens[i]
    float* odds = downOdd[channel];   // odd[i - (c + 1) / 2] is odds[i]
    const int oddDelay = (centre + 1) / 2;
    std::copy(even, even + n, evens + centre);
    std::copy(odd, odd + n, odds + oddDelay);
    const auto& kernels = shaping::activeKernels();
    kernels.symmetricFir(evens + centre, evens, pairs.data(), numPairs, out, n);
    for (int i = 0; i < n; ++i)
        out[i] += centreTap * odds[i];
    if (ahead != nullptr)
    {
        jassert(steps >= 0 && steps <= oddDelay);
        kernels.symmetricFir(evens + centre, evens + 2 * steps, pairs.data() + steps, numPairs - steps, ahead, n);
        for (int i = 0; i < n; ++i)
            ahead[i] += centreTap * odds[i + steps];
    }
    std::copy(evens + n, evens + n + centre, evens);
    std::copy(odds + n, odds + n + oddDelay, odds);
}
