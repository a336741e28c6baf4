#pragma once

#include <juce_core/juce_core.h>

// An error in the arguments or the input: main prints it as one line on stderr and exits with
// exitCodeForErrors. Thrown rather than exiting on the spot, so that the processor and any
// temporary output file are taken down on the way out.
struct RenderError
{
    juce::String message;
};

inline constexpr int exitCodeForErrors = 2;
// Some of several inputs could not be rendered; the others were written.
inline constexpr int exitCodeForSomeFailed = 1;

[[noreturn]] inline void fail(const juce::String& message)
{
    throw RenderError{message};
}
