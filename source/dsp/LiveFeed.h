#pragma once

#include "dsp/ControlBlock.h"
#include "dsp/LiveSummary.h"

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>

// Carries what the live view shows from the audio thread to the editor: summaries of the input,
// the output and the transient amount (LiveSummary), each standing for about a millisecond or
// two of audio, in a fixed-size single-producer single-consumer queue (juce::AbstractFifo).
//
// The audio thread summarises every shaped stretch only while a reader listens (an open editor
// showing the live view). It takes the queue's free room at the start of a block, writes the
// block's summaries straight into it and hands them to the reader at the end of the block, all at
// once. Nothing on its side allocates, locks or waits: when the queue is full, what does not fit
// is dropped. While the output comes late (High quality), the input's ranges come from the input
// as late as the output, so that both show a hit at the same moment.
class LiveFeed
{
public:
    // Summaries held by the queue: several seconds, at most maxSummariesPerSecond of them a second.
    static constexpr int queueCapacity = 4096;
    static constexpr double maxSummariesPerSecond = 750.0;

    //==============================================================================
    // The audio side, on the thread that processes (prepare included).

    // Each summary takes at least the audio of 1 / maxSummariesPerSecond seconds.
    void prepare(double sampleRate) noexcept;

    // Starts a block: true while a reader listens, and then the block's stretches are to be added
    // and the block ended.
    bool beginBlock() noexcept;
    // One shaped stretch of all channels (TransientShaper finds its ranges and transient amount).
    void addStretch(const LiveSummary& stretch) noexcept
    {
        pending.append(stretch);
        if (pending.numSamples >= summaryLength)
        {
            write(pending);
            pending = {};
        }
    }
    // Hands the block's summaries to the reader.
    void endBlock() noexcept;

    //==============================================================================
    // The reading side, on one thread (the editor's message thread).

    // The feed runs while at least one reader listens.
    void addReader() noexcept { readers.fetch_add(1, std::memory_order_relaxed); }
    void removeReader() noexcept { readers.fetch_sub(1, std::memory_order_relaxed); }
    bool isActive() const noexcept { return readers.load(std::memory_order_relaxed) > 0; }

    // Takes up to maxCount summaries, oldest first, and returns how many it took.
    int read(LiveSummary* destination, int maxCount) noexcept;

    // The sample rate of the audio the summaries stand for.
    double getSampleRate() const noexcept { return sampleRate.load(std::memory_order_relaxed); }

    // Summaries dropped so far because the queue was full.
    int getNumDropped() const noexcept { return dropped.load(std::memory_order_relaxed); }

private:
    void restart() noexcept;
    void write(const LiveSummary& summary) noexcept;

    // Audio side.
    int summaryLength = 44;
    bool feeding = false;
    LiveSummary pending;
    // The queue's free room while a block runs (two parts, as the ring wraps) and how much of it
    // the block has written.
    int start1 = 0, size1 = 0, start2 = 0, size2 = 0;
    int numWritten = 0, numDropped = 0;

    // Shared.
    juce::AbstractFifo fifo{queueCapacity};
    std::array<LiveSummary, queueCapacity> queue;
    std::atomic<int> readers{0};
    std::atomic<double> sampleRate{44100.0};
    std::atomic<int> dropped{0};
};
