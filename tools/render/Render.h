#pragma once

#include "Options.h"
#include "RenderJobs.h"

#include <memory>

class TarvoltAudioProcessor;

// What one render printed: the report for stdout, and warnings for stderr (without the tool's prefix).
struct RenderResult
{
    juce::String report;
    juce::StringArray warnings;
};

// A processor with the options' preset and settings, as a host would set them up. Fails with a
// RenderError when the preset cannot be loaded.
std::unique_ptr<TarvoltAudioProcessor> makeProcessor(const Options& options);

// Renders one job with a processor from makeProcessor, writes its output and returns the report.
// Fails with a RenderError; the output is then left as it was.
RenderResult renderJob(const RenderJob& job, TarvoltAudioProcessor& processor, int blockSize, bool progressBar);

// Prints a report to stdout and its warnings to stderr.
void printResult(const RenderResult& result);

// Renders what the options ask for; returns the exit code. Fails with a RenderError.
int render(const Options& options);
