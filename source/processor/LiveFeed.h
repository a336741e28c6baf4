#pragma once

#include "processor/ControlBlock.h"
#include "processor/LiveSummary.h"

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>

// Carries what the live view shows from the audio thread to the editor: summaries of the input,
// the output and the transient amount (LiveSummary), each standing for about a millisecond or
// two of audio, in a fixed-size single-producer single-consumer queue (juce::AbstractFifo).
//
// The audio thread summarises every shaped stretch only while a reader listens (an open editor
// showing the live view), collects the block's summaries and writes them to the queue once at the
// end of the block. Nothing on its side allocates, locks or waits: when the queue is full, what
// does not fit is dropped. While the output comes late (High quality), the input's ranges come
// from the input as late as the output, so that both show a hit at the same moment.
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

    // Starts a block: true while a reader listens, and then the block's stretches are to be added.
    bool beginBlock() noexcept;
    // One shaped stretch of all channels (TransientShaper finds its ranges and transient amount).
    void addStretch(const LiveSummary& stretch) noexcept;
    // Writes the block's summaries to the queue.
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
    static constexpr int stagingCapacity = 64;

    void restart() noexcept;
    void stage(const LiveSummary& summary) noexcept;
    void publish() noexcept;

    // Audio side.
    int summaryLength = 44;
    bool feeding = false;
    LiveSummary pending;
    std::array<LiveSummary, stagingCapacity> staged;
    int numStaged = 0;

    // Shared.
    juce::AbstractFifo fifo{queueCapacity};
    std::array<LiveSummary, queueCapacity> queue;
    std::atomic<int> readers{0};
    std::atomic<double> sampleRate{44100.0};
    std::atomic<int> dropped{0};
};
