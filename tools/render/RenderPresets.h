#pragma once

#include "Options.h"

class PluginState;

// The preset options: --preset-root, --list-presets, --preset and --user-preset.

// Points the state's user presets at --preset-root, when given.
void usePresetRoot(PluginState& state, const Options& options);

// Prints the factory presets, then the user presets, each group under its heading, one name a
// line indented by two spaces; returns the exit code.
int listPresets(const Options& options);

// Loads the chosen preset: a factory preset by its exact name, else the user preset of that name;
// with userOnly, the user preset. Fails with a RenderError when there is none.
void applyPreset(PluginState& state, const PresetChoice& choice);
