// The state blob the host stores: the parameter tree plus the current preset.

#include "presets/IncomingParameterTree.h"
#include "presets/StateBlob.h"
#include "processor/TarvoltAudioProcessor.h"

namespace
{
const juce::Identifier presetNameAttribute{"uiCurrentPresetName"};
const juce::Identifier presetIsUserAttribute{"uiCurrentPresetIsUser"};
const juce::Identifier presetModifiedAttribute{"uiCurrentPresetModified"};
// Stored only for the live view: a state without it (older ones too) shows the model.
const juce::Identifier displayModeAttribute{"uiDisplayMode"};
} // namespace

void TarvoltAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    // The attributes go onto the copy only; the live tree is left as it is.
    auto state = parameters.copyState();
    {
        const juce::ScopedLock lock(presetLock);
        state.setProperty(presetNameAttribute, currentPresetName, nullptr);
        state.setProperty(presetIsUserAttribute, currentPresetIsUser, nullptr);
    }
    state.setProperty(presetModifiedAttribute, currentPresetModified.load(), nullptr);
    if (getDisplayMode() == DisplayMode::Live)
        state.setProperty(displayModeAttribute, displayModeName(DisplayMode::Live), nullptr);
    else
        state.removeProperty(displayModeAttribute, nullptr); // a restored tree may still carry it

    if (const auto xml = state.createXml())
        copyXmlToBinary(*xml, destData);
}

void TarvoltAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    const auto xml = parseXmlText(StateBlob::readText(data, sizeInBytes));
    if (xml == nullptr)
        return;

    auto state = parameterTreeFromXml(*xml);
    if (!state.isValid())
        return;
    completeParameterTree(state, parameters, IncomingTree::hostState);

    const auto name = state.getProperty(presetNameAttribute, noPresetName).toString();
    const bool isUser = state.getProperty(presetIsUserAttribute, false);
    const bool modified = state.getProperty(presetModifiedAttribute, false);
    const auto mode = displayModeFromName(state.getProperty(displayModeAttribute).toString());

    applyingPreset.store(true);
    parameters.replaceState(state);
    applyingPreset.store(false);

    setCurrentPreset(name, isUser, modified);
    setDisplayMode(mode);
}
