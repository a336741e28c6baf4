#pragma once

#include "RenderSettings.h"

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

// What the command line asks for.
struct Options
{
    juce::File input;  // empty: render the demo
    juce::File output; // empty: derived from the input
    std::vector<ParameterSetting> settings;
    std::optional<juce::String> preset;   // applied before the settings
    std::optional<juce::File> presetRoot; // stands in for the user's application-data folder
    bool listPresets = false;
    bool help = false;
    int blockSize = 512;
    bool quiet = false;
    std::optional<juce::String> instructionSet; // a developer's choice of kernels (generic, avx2, avx512)

    bool rendersDemo() const { return input == juce::File(); }
};

// Reads the arguments (without the program name); fails with a RenderError on a bad one.
Options parseArguments(const juce::StringArray& args);

// The text --help prints.
juce::String usageText();
