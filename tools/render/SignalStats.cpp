#include "SignalStats.h"

void SignalStats::add(const float* samples, int numSamples) noexcept
{
    for (int i = 0; i < numSamples; ++i)
    {
        const float v = samples[i];
        peakValue = std::max(peakValue, std::abs(v));
        sumOfSquares += (double) v * (double) v;
    }
    count += numSamples;
}

float SignalStats::rms() const noexcept
{
    return count > 0 ? (float) std::sqrt(sumOfSquares / (double) count) : 0.0f;
}

float SignalStats::crestFactorDb() const noexcept
{
    const float r = rms();
    return r > 0.0f ? juce::Decibels::gainToDecibels(peakValue / r) : 0.0f;
}

juce::String formatDbfs(float gain)
{
    return gain > 0.0f ? juce::String(juce::Decibels::gainToDecibels(gain, -400.0f), 2) + " dBFS" : "-inf dBFS";
}
