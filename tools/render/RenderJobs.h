#pragma once

#include "Options.h"

// One file to render, and where its output goes.
struct RenderJob
{
    juce::File input; // empty for the demo
    juce::File output;
    juce::File dryOutput; // the demo's unprocessed drums; empty otherwise
};

// The jobs the options ask for, one per input (or one for --demo): each output named by -o, else
// derived from its input (INPUT-tarvolt.wav, or the input's own name in an output folder).
// Creates an output folder named with a trailing slash. Fails with a RenderError before anything
// is rendered when an output cannot be written, would replace an input, or would be written twice.
std::vector<RenderJob> planJobs(const Options& options);
