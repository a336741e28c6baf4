#include "editor/display/LiveFeedReader.h"

#include "dsp/LiveFeed.h"

namespace
{
constexpr int readChunk = 256;
}

void LiveFeedReader::setReading(bool shouldRead, double nowMs)
{
    if (shouldRead == reading)
        return;
    reading = shouldRead;
    history.clear();
    opacity = 1.0f;
    lastArrivalMs = nowMs;
    if (reading)
    {
        feed.addReader();
        drain(); // left from an earlier reader: not this view's audio
    }
    else
        feed.removeReader();
}

void LiveFeedReader::drain() noexcept
{
    LiveSummary discarded[readChunk];
    while (feed.read(discarded, readChunk) > 0)
    {
    }
}

bool LiveFeedReader::update(double nowMs)
{
    if (!reading)
        return false;

    LiveSummary received[readChunk];
    bool arrived = false;
    for (int n; (n = feed.read(received, readChunk)) > 0;)
    {
        for (int i = 0; i < n; ++i)
            history.append(received[i]);
        arrived = true;
    }

    if (arrived)
        lastArrivalMs = nowMs;
    const double idle = nowMs - lastArrivalMs;
    const float previousOpacity = opacity;
    const bool hadHistory = !history.isEmpty();
    opacity = (float) juce::jlimit(0.0, 1.0, 1.0 - (idle - holdMs) / fadeMs);
    if (opacity <= 0.0f)
        history.clear();
    return arrived || (hadHistory && (opacity != previousOpacity || history.isEmpty()));
}

double LiveFeedReader::getSampleRate() const noexcept
{
    return feed.getSampleRate();
}
