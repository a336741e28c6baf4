#pragma once

#include <algorithm>
#include <array>

// What a level meter keeps of the levels it read: each channel's recent peak (the hold mark,
// held for holdMs and then following the level down), the highest level of either channel since
// the last reset (the peak box's number) and whether it reached full scale (the over indicator).
// The highest level and the over stay until reset, which a click on the meter does. Levels are
// meter positions (0 at -60 dBFS, 1 at 0 dBFS and above).
class MeterPeaks
{
public:
    static constexpr int maxChannels = 2;
    static constexpr double holdMs = 1500.0;

    // Takes channel c's level as read at time nowMs (milliseconds, from any fixed origin).
    void take(int channel, float level, double nowMs) noexcept
    {
        auto& h = holds[(size_t) channel];
        if (level >= h.level || nowMs - h.sinceMs >= holdMs)
            h = {level, nowMs};
        highestLevel = std::max(highestLevel, level);
    }

    float held(int channel) const noexcept { return holds[(size_t) channel].level; }
    float highest() const noexcept { return highestLevel; }
    bool isOver() const noexcept { return highestLevel >= 1.0f; }

    void reset() noexcept { *this = {}; }

private:
    struct Hold
    {
        float level = 0.0f;
        double sinceMs = 0.0;
    };
    std::array<Hold, maxChannels> holds{};
    float highestLevel = 0.0f;
};
