#pragma once

#include "editor/display/LiveHistory.h"

class LiveFeed;

// The editor's end of the live feed: while reading it registers as the feed's reader (so the
// audio thread summarises), takes the queued summaries into its history on every update, and
// lets the picture fade once no audio arrives. Message thread only.
class LiveFeedReader
{
public:
    // How long the picture stays after the last audio arrived, then how long it takes to fade out;
    // after that the view is empty.
    static constexpr double holdMs = 1000.0;
    static constexpr double fadeMs = 1000.0;

    explicit LiveFeedReader(LiveFeed& feed) : feed(feed) {}
    ~LiveFeedReader() { setReading(false, 0.0); }

    // Starts (with an empty view, whatever the queue still held) or stops reading. nowMs: the
    // clock update() is given.
    void setReading(bool shouldRead, double nowMs);

    // Takes what the feed sent since the last update. True when the picture changed with it: audio
    // arrived, or the picture faded or emptied.
    bool update(double nowMs);

    // 1 while audio arrives, then fading to 0.
    float getOpacity() const noexcept { return opacity; }
    const LiveHistory& getHistory() const noexcept { return history; }
    // The rate of the audio the history stands for.
    double getSampleRate() const noexcept;

    LiveFeedReader(const LiveFeedReader&) = delete;
    LiveFeedReader& operator=(const LiveFeedReader&) = delete;

private:
    void drain() noexcept;

    LiveFeed& feed;
    bool reading = false;
    LiveHistory history;
    double lastArrivalMs = 0.0;
    float opacity = 1.0f;
};
