#pragma once

#include <juce_core/juce_core.h>

// A temporary file that goes when SIGINT or SIGTERM ends the tool (Ctrl-C, or a kill): the
// signal's handler removes every file registered at that moment, then ends the process as the
// signal would have. Files are registered for as long as an object of this class lives.
class RemovedOnInterrupt
{
public:
    explicit RemovedOnInterrupt(const juce::File& file);
    ~RemovedOnInterrupt();

    // Sets the handlers; call once, before any file is registered.
    static void installHandlers();

private:
    int slot = -1;

    JUCE_DECLARE_NON_COPYABLE(RemovedOnInterrupt)
};
