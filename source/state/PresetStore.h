#pragma once

#include "state/PresetFolderIdentity.h"

#include <juce_data_structures/juce_data_structures.h>

#include <optional>

// The user preset files: one XML file per preset in
//   <application data>/<companyFolder>/<name>/version_<version>/Presets
// Every operation resolves its paths anew and touches nothing outside that folder. When the
// platform cannot name its application-data folder, there is no preset folder and every
// operation fails (empty list, false).
//
// A preset name maps to a file as presetFileNameFor says: a name that is exactly the name of a
// listed file (file name without ".xml") is that file; any other name is sanitised
// (sanitisePresetName). So every listed preset can be loaded, renamed and deleted, and no
// name can reach outside the folder.
class PresetStore
{
public:
    explicit PresetStore(const PresetFolderIdentity& identity);

    // Uses `root` in place of the user's application-data folder; the other folders are built
    // under it as usual. An empty or relative File stands for a platform that names no folder.
    // Meant for tests and tools; call it before the store is used from other threads.
    void setRootFolder(const juce::File& root);

    juce::File getDataFolder() const;
    juce::File getPresetFolder() const;
    // The file a preset name maps to (see above); an empty File when there is no preset folder.
    juce::File getPresetFile(const juce::String& name) const;

    // The names of the "*.xml" files directly in the preset folder, sorted ignoring case.
    juce::StringArray listPresetNames() const;

    bool readPresetFile(const juce::String& name, juce::ValueTree& tree) const;
    // Writes to a temporary file in the preset folder that is then moved over the target, so
    // an interrupted save never leaves a half-written preset. Creates the folder when needed.
    bool writePresetFile(const juce::String& name, const juce::ValueTree& tree) const;
    bool deletePresetFile(const juce::String& name) const;

    enum class Replace
    {
        never,  // fail when the new name's file (or folder) exists
        allowed // replace the new name's file; it comes back when the rename fails
    };
    // Fails when the old file is missing, the new name is blank, both names map to the same
    // file, or the new name is taken (see Replace). The file system refuses to replace a file
    // that appears under the new name meanwhile: a rename never deletes a preset it was not
    // asked to replace.
    bool renamePresetFile(const juce::String& oldName, const juce::String& newName,
                          Replace replace = Replace::never) const;

    // Larger files are not presets and are not read.
    static constexpr juce::int64 maxPresetFileBytes = 1 << 20;

private:
    juce::File getRootFolder() const;
    juce::Array<juce::File> findPresetFiles() const;

    PresetFolderIdentity folderIdentity;
    std::optional<juce::File> rootOverride;
};
