#pragma once

#include <juce_core/juce_core.h>

// The preset operations the editor drives. The processor implements them; the editor only
// ever sees this interface. Failures are reported by the bool results, never by exceptions.
class PresettableProcessor
{
public:
    virtual ~PresettableProcessor() = default;

    virtual juce::StringArray getFactoryPresetNames() = 0;
    virtual juce::StringArray getUserPresetNames() = 0;
    virtual void loadFactoryPreset(const juce::String& name) = 0;
    virtual bool saveUserPreset(const juce::String& name) = 0;
    virtual bool loadUserPreset(const juce::String& name) = 0;
    virtual bool deleteUserPreset(const juce::String& name) = 0;
    virtual bool renameUserPreset(const juce::String& oldName, const juce::String& newName) = 0;
    virtual juce::String getCurrentPresetName() const = 0;
    virtual juce::String getCurrentPresetDisplayName() const = 0;
    virtual bool isCurrentPresetUser() const = 0;
};
