#include "ProgressBar.h"

#include <cstdio>
#include <iostream>

#if JUCE_WINDOWS
 #include <io.h>
#else
 #include <unistd.h>
#endif

ProgressBar::ProgressBar(juce::int64 totalSamples, bool wanted)
    : total(totalSamples), enabled(wanted && totalSamples > 0 && standardErrorIsTerminal())
{
}

bool ProgressBar::standardErrorIsTerminal()
{
#if JUCE_WINDOWS
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

void ProgressBar::update(juce::int64 done)
{
    if (!enabled)
        return;
    const int percent = (int) (100 * done / total) / 5 * 5;
    if (percent == lastPercent)
        return;
    lastPercent = percent;
    const int filled = percent / 5;
    std::cerr << "\r[" << std::string((size_t) filled, '#') << std::string((size_t) (20 - filled), ' ') << "] "
              << percent << "%" << std::flush;
    if (percent == 100)
        std::cerr << std::endl;
}
