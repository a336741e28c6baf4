#include "editor/display/LiveHistory.h"

#include <cmath>

void LiveHistory::append(const LiveSummary& summary) noexcept
{
    if (summary.numSamples <= 0)
        return;
    ring[(size_t) next] = summary;
    next = (next + 1) % capacity;
    count = std::min(count + 1, capacity);
}

void LiveHistory::clear() noexcept
{
    next = count = 0;
}

void LiveHistory::fillColumns(double sampleRate, double seconds, std::vector<Column>& columns) const
{
    std::fill(columns.begin(), columns.end(), Column{});
    const int numColumns = (int) columns.size();
    const double window = sampleRate * seconds; // in samples
    if (numColumns == 0 || !(window > 0.0))
        return;
    const double samplesPerColumn = window / numColumns;

    // Walking back from now: a summary covers [end, start) samples ago.
    double end = 0.0;
    for (int k = 0; k < count && end < window; ++k)
    {
        const auto& summary = ring[(size_t) ((next - 1 - k + capacity) % capacity)];
        const double start = end + summary.numSamples;
        // Columns counted from the right: the newest sample is in column 0 from the right.
        const int nearest = (int) std::floor(end / samplesPerColumn);
        const int farthest = std::min(numColumns - 1, (int) std::ceil(start / samplesPerColumn) - 1);
        for (int c = nearest; c <= farthest; ++c)
            columns[(size_t) (numColumns - 1 - c)].summary.append(summary);
        end = start;
    }
}
