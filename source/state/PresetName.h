#pragma once

#include <juce_core/juce_core.h>

// The file name (without ".xml") a preset name is stored under: the name trimmed, stripped of
// every character other than ASCII letters, digits, space, '_' and '-', and trimmed again;
// "Preset" when nothing is left. Names that Windows reserves for devices (CON, NUL, COM1, ...)
// get a trailing '_', so a preset folder works the same on every platform.
juce::String sanitisePresetName(const juce::String& name);

// The file name (without ".xml") a preset name refers to, given the names of the listed preset
// files: a listed name (compared exactly) is its own file, so a file put into the folder by
// other means is reached by its listed name; any other name is sanitised, and refers to the
// listed file whose name that matches ignoring case, so that preset names ignore case on every
// platform as they do on Windows ("kick" is the preset Kick).
juce::String presetFileNameFor(const juce::String& name, const juce::StringArray& listedNames);
