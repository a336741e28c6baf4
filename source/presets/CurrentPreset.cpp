// The current preset: which preset the parameters came from and whether they changed since.

#include "processor/TarvoltAudioProcessor.h"

void TarvoltAudioProcessor::setCurrentPreset(const juce::String& name, bool isUser, bool modified)
{
    const int programBefore = getCurrentProgram();
    {
        const juce::ScopedLock lock(presetLock);
        currentPresetName = name.isEmpty() ? juce::String(noPresetName) : name;
        currentPresetIsUser = isUser;
    }
    currentPresetModified.store(modified);
    // The host's program list shows the preset chosen in the editor too.
    if (getCurrentProgram() != programBefore)
        updateHostDisplay(ChangeDetails().withProgramChanged(true));
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
