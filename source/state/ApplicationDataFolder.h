#pragma once

#include <juce_core/juce_core.h>

// The per-user application-data folder the platform names: on Windows the roaming folder
// (CSIDL_APPDATA), elsewhere the framework's user application-data folder (~/.config on Linux).
// An empty File when the platform names none or names something that is not an absolute path.
juce::File userApplicationDataFolder();
