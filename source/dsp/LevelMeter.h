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
