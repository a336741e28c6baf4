#include "common/ProcessorHarness.h"
#include "common/ReferenceSignal.h"

#include <gtest/gtest.h>

// The Windows module is held to the same table (tests/windows), so both builds shape alike.
TEST(ReferenceSignal, ProcessorMatchesTheCheckpointsInAnyLayoutAndBlockSize)
{
    struct Case
    {
        int channels, blockSize;
    };
    for (const auto& c : {Case{2, 512}, Case{1, 512}, Case{2, 100}, Case{2, reference::length}})
    {
        SCOPED_TRACE(testing::Message() << c.channels << " channel(s), blocks of " << c.blockSize);
        TarvoltAudioProcessor processor;
        harness::prepare(processor, c.channels, reference::sampleRate, c.blockSize);
        auto buffer = harness::makeBuffer(c.channels, reference::input());
        harness::processInBlocks(processor, buffer, c.blockSize);

        for (int ch = 0; ch < c.channels; ++ch)
            for (const auto& point : reference::checkpoints())
                EXPECT_NEAR(buffer.getSample(ch, point.index), point.output, reference::tolerance)
                    << "channel " << ch << ", sample " << point.index;
    }
}
