#pragma once

#include "dsp/LiveSummary.h"

#include <array>
#include <vector>

// The live view's memory: the latest summaries of the audio, newest last, and how they spread
// over the columns of the display. Pure, so the picture's data can be checked without drawing.
class LiveHistory
{
public:
    // More than the view shows at the highest summary rate (LiveFeed::maxSummariesPerSecond).
    static constexpr int capacity = 4096;

    // One column of the picture: every summary that overlaps its time, joined.
    struct Column
    {
        LiveSummary summary; // numSamples 0: no audio reached this far back
        bool hasData() const noexcept { return summary.numSamples > 0; }
    };

    // Adds a summary after the newest; beyond capacity the oldest goes.
    void append(const LiveSummary& summary) noexcept;
    void clear() noexcept;
    bool isEmpty() const noexcept { return count == 0; }
    int size() const noexcept { return count; }

    // Spreads the last `seconds` of audio at `sampleRate` over the columns, oldest on the left,
    // the end of the newest summary at the right edge. A summary lands in every column its time
    // overlaps, so no column inside the audio is left out, however wide or narrow the columns.
    void fillColumns(double sampleRate, double seconds, std::vector<Column>& columns) const;

private:
    std::array<LiveSummary, capacity> ring{};
    int next = 0; // where the next summary goes
    int count = 0;
};
