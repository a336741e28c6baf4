#pragma once

#include <juce_core/juce_core.h>

// The preset operations the editor drives. The plug-in's state (PluginState) implements them;
// the editor's preset menu and dialogs only ever see this interface. Failures are reported by
// the bool results, never by exceptions.
class PresetManager
{
public:
    // The current preset's name while no preset is chosen: on a fresh instance and after the
    // current user preset was deleted. Host states store it like any other name.
    static constexpr const char* noPresetName = "Presets";

    virtual ~PresetManager() = default;

    virtual juce::StringArray getFactoryPresetNames() = 0;
    virtual juce::StringArray getUserPresetNames() = 0;
    virtual void loadFactoryPreset(const juce::String& name) = 0;
    virtual bool saveUserPreset(const juce::String& name) = 0;
    virtual bool loadUserPreset(const juce::String& name) = 0;
    virtual bool deleteUserPreset(const juce::String& name) = 0;
    // Fails, changing nothing, when a preset is stored under the new name already.
    virtual bool renameUserPreset(const juce::String& oldName, const juce::String& newName) = 0;
    virtual juce::String getCurrentPresetName() const = 0;
    virtual juce::String getCurrentPresetDisplayName() const = 0;
    virtual bool isCurrentPresetUser() const = 0;

    // Renames a user preset onto the name of another, which it replaces; the replaced preset
    // comes back when the rename fails. When the replaced preset was the current one, no preset
    // is current afterwards. Fails when both names refer to the same preset.
    virtual bool renameUserPresetReplacing(const juce::String& oldName, const juce::String& newName) = 0;
};
