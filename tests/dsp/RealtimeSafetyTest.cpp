#include "common/ProcessorHarness.h"
#include "common/RealtimeGuard.h"
#include "gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <mutex>

namespace
{
// Keeps the optimiser from eliding an allocation whose result is never used.
void* volatile escape = nullptr;
} // namespace

TEST(RealtimeGuard, CountsWhatItWatches)
{
    std::mutex mutex;
    FILE* devNull = std::fopen("/dev/null", "w");
    ASSERT_NE(devNull, nullptr);
    RealtimeGuard::Scope scope;
    auto* p = new int(3);
    escape = p;
    delete p;
    void* q = std::malloc(16);
    escape = q;
    std::free(q);
    {
        std::lock_guard<std::mutex> lock(mutex);
    }
    std::fputs("x", devNull);
    const auto c = scope.counts();
    std::fclose(devNull);
    EXPECT_EQ(c.allocations, 2);
    EXPECT_EQ(c.deallocations, 2);
    EXPECT_EQ(c.locks, 1);
    EXPECT_EQ(c.io, 1);
}

TEST(RealtimeGuard, FrameworkLocksAndAllocationsAreSeen)
{
    juce::CriticalSection lock;
    RealtimeGuard::Scope scope;
    {
        const juce::ScopedLock sl(lock);
        juce::HeapBlock<float> block(64);
        escape = block.get();
    }
    EXPECT_GE(scope.counts().locks, 1);
    EXPECT_GE(scope.counts().allocations, 1);
}

namespace
{
// Moves every parameter (power, mode and focus included) between blocks, the way host
// automation and the editor would; one move in four goes to an end of the range, where paths
// switch (the clip at 100 has High quality ride its ceiling).
void moveParameters(TarvoltAudioProcessor& processor, int blockIndex)
{
    juce::Random random(blockIndex);
    for (const auto& spec : parameterSpecs)
    {
        if (random.nextInt(3) != 0)
            continue;
        float plain = spec.minimum + random.nextFloat() * (spec.maximum - spec.minimum);
        if (random.nextInt(4) == 0)
            plain = random.nextBool() ? spec.maximum : spec.minimum;
        harness::setPlain(processor, spec.id, spec.clampPlain(plain));
    }
}

bool ridesTheCeiling(TarvoltAudioProcessor& processor)
{
    return harness::getPlain(processor, ParameterIDs::quality) >= 0.5f
           && harness::getPlain(processor, ParameterIDs::clip) >= 100.0f;
}
} // namespace

TEST(RealtimeSafety, ProcessBlockNeitherAllocatesNorLocksNorDoesIo)
{
    const int blockSizes[] = {1, 64, 512, 1024, 0, 333};
    for (int channels : {1, 2})
    {
        SCOPED_TRACE(channels == 1 ? "mono" : "stereo");
        TarvoltAudioProcessor processor;
        harness::prepare(processor, channels, 48000.0, 1024);

        auto input = harness::makeBuffer(channels, harness::drumLikeSignal(1024, 700));
        juce::AudioBuffer<float> buffer(channels, 1024);
        juce::MidiBuffer midi;
        // Host automation reaches the parameter on the audio thread: its value and every listener.
        auto* automated = processor.getState().parameters.getParameter(ParameterIDs::attack);
        int ridingBlocks = 0;

        for (int block = 0; block < 600; ++block)
        {
            moveParameters(processor, block);
            ridingBlocks += ridesTheCeiling(processor) ? 1 : 0;
            const int n = blockSizes[(size_t) block % std::size(blockSizes)];
            for (int ch = 0; ch < channels; ++ch)
                buffer.copyFrom(ch, 0, input, ch, 0, 1024);
            if (block % 97 == 5) // a broken track now and then
                buffer.setSample(0, 0, std::numeric_limits<float>::quiet_NaN());
            if (block % 89 == 7) // or an absurdly large sample
                buffer.setSample(channels - 1, 0, 3.0e20f);
            juce::AudioBuffer<float> view(buffer.getArrayOfWritePointers(), channels, 0, n);

            RealtimeGuard::Scope scope;
            if (block % 7 < 2) // the host's bypass now and then
                processor.processBlockBypassed(view, midi);
            else
                processor.processBlock(view, midi);
            automated->setValue(block % 2 == 0 ? 0.25f : 0.75f);
            const auto c = scope.counts();
            ASSERT_TRUE(c.clean()) << "block " << block << ": " << c.allocations << " allocations, "
                                   << c.deallocations << " frees, " << c.locks << " locks, " << c.io << " I/O calls";
        }
        EXPECT_GT(ridingBlocks, 10) << "High quality with the clip at 100";
    }
}

// The same with the editor open on the live view: the audio thread summarises every stretch and
// writes the queue once a block. The panel first reads nothing, so the queue runs full, then
// reads now and then (outside the guard, as the message thread would); High quality comes and
// goes with the parameter moves.
TEST(RealtimeSafety, ProcessBlockFeedingTheLiveViewNeitherAllocatesNorLocksNorDoesIo)
{
    const int blockSizes[] = {1, 64, 512, 1024, 0, 333, 4096};
    for (int channels : {1, 2})
    {
        SCOPED_TRACE(channels == 1 ? "mono" : "stereo");
        guitest::EditorFixture fixture;
        auto& processor = fixture.processor;
        fixture.editor->setDisplayMode(DisplayMode::Live);
        ASSERT_TRUE(processor.getLiveFeed().isActive());
        harness::prepare(processor, channels, 48000.0, 4096);

        auto input = harness::makeBuffer(channels, harness::drumLikeSignal(4096, 700));
        juce::AudioBuffer<float> buffer(channels, 4096);
        juce::MidiBuffer midi;
        int highBlocks = 0;
        for (int block = 0; block < 1000; ++block)
        {
            moveParameters(processor, block);
            highBlocks += harness::getPlain(processor, ParameterIDs::quality) >= 0.5f ? 1 : 0;
            const int n = blockSizes[(size_t) block % std::size(blockSizes)];
            for (int ch = 0; ch < channels; ++ch)
                buffer.copyFrom(ch, 0, input, ch, 0, 4096);
            if (block % 89 == 7) // a broken track now and then
                buffer.setSample(channels - 1, 0, block % 2 == 0 ? 3.0e20f : std::numeric_limits<float>::infinity());
            juce::AudioBuffer<float> view(buffer.getArrayOfWritePointers(), channels, 0, n);

            {
                RealtimeGuard::Scope scope;
                if (block % 7 < 2) // the host's bypass now and then
                    processor.processBlockBypassed(view, midi);
                else
                    processor.processBlock(view, midi);
                const auto c = scope.counts();
                ASSERT_TRUE(c.clean()) << "block " << block << ": " << c.allocations << " allocations, "
                                       << c.deallocations << " frees, " << c.locks << " locks, " << c.io
                                       << " I/O calls";
            }
            if (block > 700 && block % 50 == 0)
                fixture.panel().updateLiveView();
        }
        EXPECT_GT(highBlocks, 50);
        EXPECT_GT(processor.getLiveFeed().getNumDropped(), 0) << "the queue ran full at times";
        EXPECT_GT(MainPanelTestAccess::liveHistorySize(fixture.panel()), 1000) << "and the view received";
    }
}
