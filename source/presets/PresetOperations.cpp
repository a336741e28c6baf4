// The processor's side of the preset interface: factory presets and user preset files.

#include "presets/FactoryPresets.h"
#include "presets/IncomingParameterTree.h"
#include "processor/TarvoltAudioProcessor.h"

namespace
{
// True when the current preset is the user preset `name`: the same name ignoring case, or a
// name that maps to the same file (the current name is kept as typed, "Kick/Snare", while the
// list shows its file name, "KickSnare").
bool isCurrentUserPreset(const TarvoltAudioProcessor& processor, const PresetStore& store,
                         const juce::String& name)
{
    if (!processor.isCurrentPresetUser())
        return false;
    const auto current = processor.getCurrentPresetName();
    return current.compareIgnoreCase(name) == 0 || store.getPresetFile(current) == store.getPresetFile(name);
}

bool renameUserPresetFile(TarvoltAudioProcessor& processor, const juce::String& oldName,
                          const juce::String& newName, PresetStore::Replace replace)
{
    auto& store = processor.getPresetStore();
    const bool renamingCurrent = isCurrentUserPreset(processor, store, oldName);
    const bool replacingCurrent = !renamingCurrent && isCurrentUserPreset(processor, store, newName);
    if (!store.renamePresetFile(oldName, newName, replace))
        return false;

    if (renamingCurrent)
        processor.setCurrentPreset(newName, true, false);
    else if (replacingCurrent)
        processor.setCurrentPreset(PresettableProcessor::noPresetName, false, false);
    return true;
}
} // namespace

juce::StringArray TarvoltAudioProcessor::getFactoryPresetNames()
{
    return factoryPresetNames();
}

juce::StringArray TarvoltAudioProcessor::getUserPresetNames()
{
    return presetStore.listPresetNames();
}

// Sets what the row names; the parameters factory presets do not set stay as they are.
void TarvoltAudioProcessor::loadFactoryPreset(const juce::String& name)
{
    applyingPreset.store(true);
    const auto& preset = findFactoryPreset(name);
    for (auto& value : preset.values)
        if (auto* parameter = parameters.getParameter(value.id))
            parameter->setValueNotifyingHost(parameter->convertTo0to1(value.plain));
    applyingPreset.store(false);

    setCurrentPreset(name, false, false);
}

bool TarvoltAudioProcessor::loadUserPreset(const juce::String& name)
{
    juce::ValueTree tree;
    if (!presetStore.readPresetFile(name, tree))
        return false;
    completeParameterTree(tree, parameters, IncomingTree::userPreset);

    // Audio keeps running: the audio thread reads each new value at its next block and ramps to
    // it as to any other parameter change.
    applyingPreset.store(true);
    parameters.replaceState(tree);
    applyingPreset.store(false);
    setCurrentPreset(name, true, false);
    return true;
}

bool TarvoltAudioProcessor::saveUserPreset(const juce::String& name)
{
    if (!presetStore.writePresetFile(name, parameters.copyState()))
        return false;

    setCurrentPreset(name, true, false);
    return true;
}

bool TarvoltAudioProcessor::deleteUserPreset(const juce::String& name)
{
    const bool deletingCurrent = isCurrentUserPreset(*this, presetStore, name);
    if (!presetStore.deletePresetFile(name))
        return false;

    if (deletingCurrent)
        setCurrentPreset(noPresetName, false, false);
    return true;
}

bool TarvoltAudioProcessor::renameUserPreset(const juce::String& oldName, const juce::String& newName)
{
    return renameUserPresetFile(*this, oldName, newName, PresetStore::Replace::never);
}

bool TarvoltAudioProcessor::renameUserPresetReplacing(const juce::String& oldName,
                                                      const juce::String& newName)
{
    return renameUserPresetFile(*this, oldName, newName, PresetStore::Replace::allowed);
}
