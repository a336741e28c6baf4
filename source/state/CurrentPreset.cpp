// The current preset: which preset the parameters came from and whether they changed since.

#include "plugin/TarvoltAudioProcessor.h"

void TarvoltAudioProcessor::setCurrentPreset(const juce::String& name, bool isUser, bool modified)
{
    {
        const juce::ScopedLock lock(presetLock);
        currentPresetName = name.isEmpty() ? juce::String(noPresetName) : name;
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
    const auto name = getCurrentPresetName(); // never empty: setCurrentPreset sees to that
    return modified ? name + " *" : name;
}
