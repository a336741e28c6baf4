#pragma once

#include "state/PresetManager.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <functional>

// Which preset the parameters came from and whether a parameter changed since: its name
// (PresetManager::noPresetName while none is chosen), whether it is a user preset, and the
// modified mark. Safe on any thread; marking it modified neither locks nor allocates, as a
// parameter change may come from the audio thread.
class CurrentPreset
{
public:
    struct Choice
    {
        juce::String name;
        bool isUser = false;
    };

    // An empty name stands for no preset.
    void set(const juce::String& name, bool isUser, bool modified);

    Choice get() const;
    juce::String getName() const { return get().name; }
    bool isUser() const { return get().isUser; }
    // The name, followed by " *" while modified: what the menu bar shows.
    juce::String getDisplayName() const;

    // Called after set() chose another preset (name or kind), on the thread that called set().
    std::function<void()> onChoiceChange;

    void markModified() noexcept { modified.store(true); }
    bool isModified() const noexcept { return modified.load(); }

private:
    juce::CriticalSection lock;
    Choice choice{PresetManager::noPresetName, false};
    std::atomic<bool> modified{false};
};
