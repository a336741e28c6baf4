#include "processor/TarvoltAudioProcessor.h"

namespace StateAttributes
{
const juce::Identifier presetName{"uiCurrentPresetName"};
const juce::Identifier presetIsUser{"uiCurrentPresetIsUser"};
const juce::Identifier presetModified{"uiCurrentPresetModified"};
} // namespace StateAttributes

void TarvoltAudioProcessor::setCurrentPreset(const juce::String& name, bool isUser, bool modified)
{
    {
        const juce::ScopedLock lock(presetLock);
        currentPresetName = name.isEmpty() ? juce::String("Presets") : name;
        currentPresetIsUser = isUser;
    }
    currentPresetModified.store(modified);
}

juce::String TarvoltAudioProcessor::getCurrentPresetName() const
{
    const juce::ScopedLock lock(presetLock);
    return currentPresetName;
}

bool TarvoltAudioProcessor::isCurrentPresetUser() const
{
    const juce::ScopedLock lock(presetLock);
    return currentPresetIsUser;
}

juce::String TarvoltAudioProcessor::getCurrentPresetDisplayName() const
{
    const bool modified = currentPresetModified.load();
    auto name = getCurrentPresetName();
    if (name.isEmpty())
        name = "Presets";
    return modified ? name + " *" : name;
}

void TarvoltAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    auto state = parameters.copyState();
    {
        const juce::ScopedLock lock(presetLock);
        state.setProperty(StateAttributes::presetName, currentPresetName, nullptr);
        state.setProperty(StateAttributes::presetIsUser, currentPresetIsUser, nullptr);
    }
    state.setProperty(StateAttributes::presetModified, currentPresetModified.load(), nullptr);

    if (auto xml = state.createXml())
        copyXmlToBinary(*xml, destData);
}

void TarvoltAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    const auto xml = getXmlFromBinary(data, sizeInBytes);
    if (xml == nullptr)
        return;

    const auto state = juce::ValueTree::fromXml(*xml);
    if (!state.isValid())
        return;

    const auto name = state.getProperty(StateAttributes::presetName, "Presets").toString();
    const bool isUser = state.getProperty(StateAttributes::presetIsUser, false);
    const bool modified = state.getProperty(StateAttributes::presetModified, false);

    applyingPreset.store(true);
    parameters.replaceState(state);
    applyingPreset.store(false);

    setCurrentPreset(name, isUser, modified);
}
