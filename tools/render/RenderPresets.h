#pragma once

#include "Options.h"

class TarvoltAudioProcessor;

// The preset options: --preset-root, --list-presets and --preset.

// Points the processor's user presets at --preset-root, when given.
void usePresetRoot(TarvoltAudioProcessor& processor, const Options& options);

// Prints the factory preset names, then the user preset names; returns the exit code.
int listPresets(const Options& options);

// Loads a factory preset by its exact name, else the user preset of that name; fails with a
// RenderError when it is neither.
void applyPreset(TarvoltAudioProcessor& processor, const juce::String& name);
