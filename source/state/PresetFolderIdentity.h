#pragma once

#include <juce_core/juce_core.h>

// The names the user preset folder is built from (PresetStore):
//   <application data>/<companyFolder>/<name>/version_<version>/Presets
// The version is that of the folder's layout, not the plug-in's: it stays while the files
// stay readable.
struct PresetFolderIdentity
{
    juce::String name;
    juce::String version;
    juce::String companyFolder;

    // Tarvolt's preset folder.
    static PresetFolderIdentity tarvolt() { return {"Tarvolt", "1.0.0", "OrvaneAudio"}; }
};
