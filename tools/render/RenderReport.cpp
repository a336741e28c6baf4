#include "RenderReport.h"

#include <ostream>

namespace
{
int countBeyondFullScale(const float* samples, int n)
{
    int count = 0;
    for (int i = 0; i < n; ++i)
        count += std::abs(samples[i]) > 1.0f ? 1 : 0;
    return count;
}

void addBlock(std::vector<SignalStats>& stats, const juce::AudioBuffer<float>& block)
{
    for (int ch = 0; ch < (int) stats.size(); ++ch)
        stats[(size_t) ch].add(block.getReadPointer(ch), block.getNumSamples());
}
} // namespace

RenderReport::RenderReport(int channels, bool integerOutput)
    : in((size_t) channels), out((size_t) channels), countClipping(integerOutput)
{
}

void RenderReport::addInput(const juce::AudioBuffer<float>& block)
{
    addBlock(in, block);
}

void RenderReport::addOutput(const juce::AudioBuffer<float>& block)
{
    addBlock(out, block);
    if (countClipping)
        for (int ch = 0; ch < (int) out.size(); ++ch)
            clippedSamples += countBeyondFullScale(block.getReadPointer(ch), block.getNumSamples());
}

void RenderReport::printLevels(std::ostream& stream) const
{
    for (size_t ch = 0; ch < in.size(); ++ch)
    {
        const auto& before = in[ch];
        const auto& after = out[ch];
        stream << "channel " << ch + 1 << ":  in  peak " << formatDbfs(before.peak()) << "  rms "
               << formatDbfs(before.rms()) << "  crest " << juce::String(before.crestFactorDb(), 2) << " dB\n"
               << "            out peak " << formatDbfs(after.peak()) << "  rms " << formatDbfs(after.rms())
               << "  crest " << juce::String(after.crestFactorDb(), 2) << " dB  (crest change "
               << juce::String(after.crestFactorDb() - before.crestFactorDb(), 2) << " dB)\n";
    }
}

juce::String RenderReport::clippingWarning(int bitsPerSample) const
{
    if (clippedSamples == 0)
        return {};
    return juce::String(clippedSamples) + " samples clipped at full scale in the " + juce::String(bitsPerSample)
           + "-bit output";
}
