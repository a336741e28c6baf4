#include "dsp/LiveFeed.h"

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
}

bool LiveFeed::beginBlock() noexcept
{
    const bool listened = isActive();
    if (listened && !feeding)
        restart(); // nothing left over from the last time anyone listened
    feeding = listened;
    if (feeding)
    {
        fifo.prepareToWrite(queueCapacity, start1, size1, start2, size2);
        numWritten = numDropped = 0;
    }
    return feeding;
}

void LiveFeed::endBlock() noexcept
{
    fifo.finishedWrite(numWritten);
    if (numDropped > 0)
        dropped.fetch_add(numDropped, std::memory_order_relaxed);
}

void LiveFeed::write(const LiveSummary& summary) noexcept
{
    if (numWritten < size1)
        queue[(size_t) (start1 + numWritten)] = summary;
    else if (numWritten < size1 + size2)
        queue[(size_t) (start2 + numWritten - size1)] = summary;
    else
    {
        ++numDropped;
        return;
    }
    ++numWritten;
}

int LiveFeed::read(LiveSummary* destination, int maxCount) noexcept
{
    const auto scope = fifo.read(std::max(0, maxCount));
    std::copy_n(queue.begin() + scope.startIndex1, scope.blockSize1, destination);
    std::copy_n(queue.begin() + scope.startIndex2, scope.blockSize2, destination + scope.blockSize1);
    return scope.blockSize1 + scope.blockSize2;
}
