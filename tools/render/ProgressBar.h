#pragma once

#include <juce_core/juce_core.h>

// A bar on stderr, redrawn every 5 % of the render. Drawn only when stderr is a terminal: in
// logs and pipes the tool prints just its report.
class ProgressBar
{
public:
    ProgressBar(juce::int64 totalSamples, bool wanted);

    void update(juce::int64 done);

    static bool standardErrorIsTerminal();

private:
    juce::int64 total;
    bool enabled;
    int lastPercent = -1;
};
