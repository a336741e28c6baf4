#pragma once

#include <juce_core/juce_core.h>

// A bar on stderr, redrawn every 5 % of the render.
class ProgressBar
{
public:
    ProgressBar(juce::int64 totalSamples, bool wanted);

    void update(juce::int64 done);

private:
    juce::int64 total;
    bool enabled;
    int lastPercent = -1;
};
