#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>
#include <cmath>

// Maps a sample value to a meter position: 0 at -60 dBFS or below, 1 at 0 dBFS and above.
inline float meterPosition(float v) noexcept
{
    const float a = std::abs(v);
    if (!(a > 0.000001f))
        return 0.0f;
    const float dB = juce::Decibels::gainToDecibels(a, -72.0f);
    return juce::jlimit(0.0f, 1.0f, juce::jmap(dB, -60.0f, 0.0f, 0.0f, 1.0f));
}

// Fall of a published meter level per audio block.
inline constexpr float meterDecayPerBlock = 0.86f;

// One block's update of a published level: instant rise to the block's peak position,
// otherwise a fall by meterDecayPerBlock.
inline void updateMeterLevel(std::atomic<float>& level, float blockPeakPosition) noexcept
{
    level.store(juce::jmax(level.load() * meterDecayPerBlock, blockPeakPosition));
}

// The input and output meters' levels of two channels, as positions (meterPosition): the audio
// thread publishes each block's peaks, the editor reads the levels on its own thread.
class LevelMeters
{
public:
    // One block's largest input and output magnitudes per channel.
    void publishBlock(const float (&inputPeaks)[2], const float (&outputPeaks)[2]) noexcept
    {
        // The mapping is monotonic, so mapping the peak magnitude gives the block's largest position.
        for (int ch = 0; ch < 2; ++ch)
        {
            updateMeterLevel(inputLevels[ch], meterPosition(inputPeaks[ch]));
            updateMeterLevel(outputLevels[ch], meterPosition(outputPeaks[ch]));
        }
    }

    // A channel below 0 reads channel 0, above 1 reads channel 1.
    float getInputLevel(int channel) const noexcept { return inputLevels[juce::jlimit(0, 1, channel)].load(); }
    float getOutputLevel(int channel) const noexcept { return outputLevels[juce::jlimit(0, 1, channel)].load(); }

    // Levels without audio, for the tool that paints the editor and for tests.
    void setInputLevel(int channel, float level) noexcept { inputLevels[juce::jlimit(0, 1, channel)].store(level); }
    void setOutputLevel(int channel, float level) noexcept { outputLevels[juce::jlimit(0, 1, channel)].store(level); }

private:
    std::atomic<float> inputLevels[2]{{0.0f}, {0.0f}};
    std::atomic<float> outputLevels[2]{{0.0f}, {0.0f}};
};
