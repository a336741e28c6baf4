#include "processor/LiveFeed.h"

#include <cmath>

void LiveFeed::prepare(double rate) noexcept
{
    if (std::isfinite(rate) && rate > 0.0)
    {
        sampleRate.store(rate, std::memory_order_relaxed);
        summaryLength = std::max(1, (int) std::ceil(rate / maxSummariesPerSecond));
    }
    restart();
}

void LiveFeed::restart() noexcept
{
    pending = {};
    numStaged = 0;
}

bool LiveFeed::beginBlock() noexcept
{
    const bool listened = isActive();
    if (listened && !feeding)
        restart(); // nothing left over from the last time anyone listened
    feeding = listened;
    return feeding;
}

void LiveFeed::addStretch(const LiveSummary& stretch) noexcept
{
    pending.append(stretch);
    if (pending.numSamples >= summaryLength)
    {
        stage(pending);
        pending = {};
    }
}

void LiveFeed::endBlock() noexcept
{
    publish();
}

void LiveFeed::stage(const LiveSummary& summary) noexcept
{
    if (numStaged == stagingCapacity) // a long block: the queue takes a first part now
        publish();
    staged[(size_t) numStaged++] = summary;
}

void LiveFeed::publish() noexcept
{
    if (numStaged == 0)
        return;
    {
        const auto scope = fifo.write(numStaged); // no more than there is room for
        std::copy_n(staged.begin(), scope.blockSize1, queue.begin() + scope.startIndex1);
        std::copy_n(staged.begin() + scope.blockSize1, scope.blockSize2, queue.begin() + scope.startIndex2);
        const int written = scope.blockSize1 + scope.blockSize2;
        if (written < numStaged)
            dropped.fetch_add(numStaged - written, std::memory_order_relaxed);
    }
    numStaged = 0;
}

int LiveFeed::read(LiveSummary* destination, int maxCount) noexcept
{
    const auto scope = fifo.read(std::max(0, maxCount));
    std::copy_n(queue.begin() + scope.startIndex1, scope.blockSize1, destination);
    std::copy_n(queue.begin() + scope.startIndex2, scope.blockSize2, destination + scope.blockSize1);
    return scope.blockSize1 + scope.blockSize2;
}
