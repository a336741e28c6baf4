#pragma once

#include <juce_core/juce_core.h>

// The file name (without ".xml") a preset name is stored under: the name trimmed, stripped of
// every character other than ASCII letters, digits, space, '_' and '-', and trimmed again;
// "Preset" when nothing is left. Names that Windows reserves for devices (CON, NUL, COM1, ...)
// get a trailing '_', so a preset folder works the same on every platform.
juce::String sanitisePresetName(const juce::String& name);
