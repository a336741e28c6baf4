#pragma once

// How much of a shaped sine is neither the sine nor its harmonics below half the sample rate:
// energy that folded back from above the Nyquist frequency (aliasing), relative to the total.
// A 7.3 kHz sine at -6 dBFS, stereo, through a processor with the given settings; the analysis
// takes the largest power-of-two stretch of the 1.5 s after the first 0.5 s, Blackman window.

#include "common/ProcessorHarness.h"

#include <juce_dsp/juce_dsp.h>

#include <cmath>
#include <utility>
#include <vector>

namespace aliasing
{
inline constexpr double sineHz = 7300.0;
inline const float sineAmplitude = juce::Decibels::decibelsToGain(-6.0f);

// The analysed output of the processor for the sine (its latency taken off).
inline std::vector<float> shapedSine(double sampleRate, const std::vector<std::pair<const char*, float>>& settings)
{
    TarvoltAudioProcessor processor;
    for (const auto& [id, value] : settings)
        harness::setPlain(processor, id, value);
    harness::prepare(processor, 2, sampleRate, 512);
    const int latency = processor.getLatencySamples();

    const int length = (int) (2.0 * sampleRate) + latency;
    juce::AudioBuffer<float> buffer(2, length);
    for (int i = 0; i < length; ++i)
        for (int ch = 0; ch < 2; ++ch)
            buffer.setSample(ch, i,
                             sineAmplitude
                                 * (float) std::sin(juce::MathConstants<double>::twoPi * sineHz * i / sampleRate));
    harness::processInBlocks(processor, buffer, 512);

    const int start = (int) (0.5 * sampleRate) + latency;
    int size = 1;
    while (size * 2 <= (int) (1.5 * sampleRate))
        size *= 2;
    return {buffer.getReadPointer(0) + start, buffer.getReadPointer(0) + start + size};
}

// The share of the energy outside the sine and its in-band harmonics, in dB.
inline double aliasedEnergyDb(const std::vector<float>& signal, double sampleRate)
{
    const int size = (int) signal.size();
    const int order = juce::roundToInt(std::log2((double) size));
    jassert((1 << order) == size);

    std::vector<float> data((size_t) size * 2, 0.0f);
    for (int i = 0; i < size; ++i)
    {
        const double phase = juce::MathConstants<double>::twoPi * i / (size - 1);
        const double blackman = 0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2.0 * phase);
        data[(size_t) i] = (float) (signal[(size_t) i] * blackman);
    }
    juce::dsp::FFT(order).performFrequencyOnlyForwardTransform(data.data(), true);

    const double binHz = sampleRate / size;
    constexpr int halfWidth = 32; // bins on each side of a harmonic: the window's main lobe and near sidelobes
    double total = 0.0, harmonics = 0.0;
    for (int bin = 1; bin < size / 2; ++bin)
    {
        const double energy = (double) data[(size_t) bin] * data[(size_t) bin];
        total += energy;
        const double nearest = std::round(bin * binHz / sineHz);
        const bool isHarmonic = nearest >= 1.0 && nearest * sineHz < sampleRate / 2.0
                                && std::abs(bin - nearest * sineHz / binHz) <= halfWidth;
        harmonics += isHarmonic ? energy : 0.0;
    }
    return 10.0 * std::log10(std::max(total - harmonics, 1.0e-30) / total);
}
} // namespace aliasing
