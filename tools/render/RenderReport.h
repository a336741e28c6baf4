#pragma once

#include "SignalStats.h"

#include <iosfwd>
#include <vector>

// The figures printed after a render: per channel peak, RMS and crest factor of the input and
// the output, and how many output samples an integer file clips at full scale.
class RenderReport
{
public:
    RenderReport(int channels, bool integerOutput);

    void addInput(const juce::AudioBuffer<float>& block);
    void addOutput(const juce::AudioBuffer<float>& block);

    void printLevels(std::ostream& out) const;
    // "N samples clipped at full scale in the B-bit output" when the output clipped, else empty.
    juce::String clippingWarning(int bitsPerSample) const;

private:
    std::vector<SignalStats> in, out;
    bool countClipping;
    juce::int64 clippedSamples = 0;
};
