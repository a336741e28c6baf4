#include "state/CurrentPreset.h"

void CurrentPreset::set(const juce::String& name, bool isUser, bool isModified)
{
    {
        const juce::ScopedLock scope(lock);
        choice = {name.isEmpty() ? juce::String(PresetManager::noPresetName) : name, isUser};
    }
    modified.store(isModified);
}

CurrentPreset::Choice CurrentPreset::get() const
{
    const juce::ScopedLock scope(lock);
    return choice;
}

juce::String CurrentPreset::getDisplayName() const
{
    const bool isModified = modified.load();
    const auto name = getName(); // never empty: set() sees to that
    return isModified ? name + " *" : name;
}
