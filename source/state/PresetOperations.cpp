// The state's side of the preset interface: factory presets and user preset files.

#include "state/FactoryPresets.h"
#include "state/IncomingParameterTree.h"
#include "state/PluginState.h"

namespace
{
// True when the current preset is the user preset `name`: the same name ignoring case, or a
// name that maps to the same file (the current name is kept as typed, "Kick/Snare", while the
// list shows its file name, "KickSnare").
bool isCurrentUserPreset(const CurrentPreset& currentPreset, const PresetStore& store, const juce::String& name)
{
    const auto current = currentPreset.get();
    if (!current.isUser)
        return false;
    return current.name.compareIgnoreCase(name) == 0 || store.getPresetFile(current.name) == store.getPresetFile(name);
}

bool renameUserPresetFile(CurrentPreset& currentPreset, const PresetStore& store, const juce::String& oldName,
                          const juce::String& newName, PresetStore::Replace replace)
{
    const bool renamingCurrent = isCurrentUserPreset(currentPreset, store, oldName);
    const bool replacingCurrent = !renamingCurrent && isCurrentUserPreset(currentPreset, store, newName);
    if (!store.renamePresetFile(oldName, newName, replace))
        return false;

    if (renamingCurrent)
        currentPreset.set(newName, true, false);
    else if (replacingCurrent)
        currentPreset.set(PresetManager::noPresetName, false, false);
    return true;
}
} // namespace

juce::StringArray PluginState::getFactoryPresetNames()
{
    return factoryPresetNames();
}

juce::StringArray PluginState::getUserPresetNames()
{
    return presetStore.listPresetNames();
}

// Sets what the row names; the parameters factory presets do not set stay as they are.
void PluginState::loadFactoryPreset(const juce::String& name)
{
    applyUnmarked(
        [&]
        {
            for (auto& value : findFactoryPreset(name).values)
                if (auto* parameter = parameters.getParameter(value.id))
                    parameter->setValueNotifyingHost(parameter->convertTo0to1(value.plain));
        });
    currentPreset.set(name, false, false);
}

bool PluginState::loadUserPreset(const juce::String& name)
{
    juce::ValueTree tree;
    if (!presetStore.readPresetFile(name, tree))
        return false;
    completeParameterTree(tree, parameters, IncomingTree::userPreset);

    // Audio keeps running: the audio thread reads each new value at its next block and ramps to
    // it as to any other parameter change.
    applyUnmarked([&] { parameters.replaceState(tree); });
    currentPreset.set(name, true, false);
    return true;
}

bool PluginState::saveUserPreset(const juce::String& name)
{
    if (!presetStore.writePresetFile(name, parameters.copyState()))
        return false;

    currentPreset.set(name, true, false);
    return true;
}

bool PluginState::deleteUserPreset(const juce::String& name)
{
    const bool deletingCurrent = isCurrentUserPreset(currentPreset, presetStore, name);
    if (!presetStore.deletePresetFile(name))
        return false;

    if (deletingCurrent)
        currentPreset.set(noPresetName, false, false);
    return true;
}

bool PluginState::renameUserPreset(const juce::String& oldName, const juce::String& newName)
{
    return renameUserPresetFile(currentPreset, presetStore, oldName, newName, PresetStore::Replace::never);
}

bool PluginState::renameUserPresetReplacing(const juce::String& oldName,
                                                      const juce::String& newName)
{
    return renameUserPresetFile(currentPreset, presetStore, oldName, newName, PresetStore::Replace::allowed);
}
