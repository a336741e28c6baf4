#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// Level figures of one channel, accumulated block by block: what a producer checks before
// and after a transient shaper.
class SignalStats
{
public:
    void add(const float* samples, int numSamples) noexcept;

    float peak() const noexcept { return peakValue; }
    float rms() const noexcept;
    // Peak over RMS in dB; 0 for silence.
    float crestFactorDb() const noexcept;

private:
    float peakValue = 0.0f;
    double sumOfSquares = 0.0;
    juce::int64 count = 0;
};

// "-3.01 dBFS", or "-inf dBFS" for silence.
juce::String formatDbfs(float gain);
