#include "state/CurrentPreset.h"

void CurrentPreset::set(const juce::String& name, bool isUser, bool isModified)
{
    bool changed = false;
    {
        const juce::ScopedLock scope(lock);
        const Choice chosen{name.isEmpty() ? juce::String(PresetManager::noPresetName) : name, isUser};
        changed = chosen.name != choice.name || chosen.isUser != choice.isUser;
        choice = chosen;
    }
    modified.store(isModified);
    if (changed && onChoiceChange)
        onChoiceChange();
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
