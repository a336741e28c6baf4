#pragma once

#include "RenderSettings.h"

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

// A preset to start from: --preset NAME (a factory preset, else the user preset of that name) or
// --user-preset NAME (the user preset, even when a factory preset has its name).
struct PresetChoice
{
    juce::String name;
    bool userOnly = false;
};

// What the command line asks for.
struct Options
{
    std::vector<juce::File> inputs;
    bool demo = false;           // render the built-in drums instead of an input
    juce::File output;           // empty: derived from each input
    bool outputIsFolder = false; // -o names a folder: one output per input in it, under the input's name
    std::vector<ParameterSetting> settings;
    std::optional<PresetChoice> preset;   // applied before the settings
    std::optional<juce::File> presetRoot; // stands in for the user's application-data folder
    bool listPresets = false;
    bool help = false;
    int blockSize = 512;
    bool quiet = false;
    std::optional<juce::String> instructionSet; // a developer's choice of kernels (generic, avx2, avx512)

    // Nothing to render: neither an input nor --demo.
    bool nothingToRender() const { return inputs.empty() && !demo; }
};

// Reads the arguments (without the program name); fails with a RenderError on a bad one.
Options parseArguments(const juce::StringArray& args);

// The usage lines at the top of the help text.
juce::String usageSynopsis();

// The text --help prints.
juce::String usageText();
