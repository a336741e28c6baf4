// The state blob the host stores: the parameter tree plus the current preset and the display mode.

#include "state/IncomingParameterTree.h"
#include "state/PluginState.h"
#include "state/StateBlob.h"

namespace
{
const juce::Identifier presetNameAttribute{"uiCurrentPresetName"};
const juce::Identifier presetIsUserAttribute{"uiCurrentPresetIsUser"};
const juce::Identifier presetModifiedAttribute{"uiCurrentPresetModified"};
// Stored only for the live view: a state without it (older ones too) shows the model.
const juce::Identifier displayModeAttribute{"uiDisplayMode"};
} // namespace

void PluginState::save(juce::MemoryBlock& destination)
{
    // The attributes go onto the copy only; the live tree is left as it is.
    auto state = parameters.copyState();
    const auto preset = currentPreset.get();
    state.setProperty(presetNameAttribute, preset.name, nullptr);
    state.setProperty(presetIsUserAttribute, preset.isUser, nullptr);
    state.setProperty(presetModifiedAttribute, currentPreset.isModified(), nullptr);
    if (getDisplayMode() == DisplayMode::Live)
        state.setProperty(displayModeAttribute, displayModeName(DisplayMode::Live), nullptr);
    else
        state.removeProperty(displayModeAttribute, nullptr); // a restored tree may still carry it

    if (const auto xml = state.createXml())
        juce::AudioProcessor::copyXmlToBinary(*xml, destination);
}

void PluginState::restore(const void* data, int sizeInBytes)
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

    applyUnmarked([&] { parameters.replaceState(state); });

    currentPreset.set(name, isUser, modified);
    setDisplayMode(mode);
}
