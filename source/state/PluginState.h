#pragma once

#include "state/CurrentPreset.h"
#include "state/DisplayMode.h"
#include "state/ParameterValues.h"
#include "state/PresetManager.h"
#include "state/PresetStore.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>

// What a Tarvolt instance keeps besides the audio: the parameters, the current preset, the
// signal display's mode; the preset operations the editor drives; the state blob a host stores.
// The processor, the LV2 wrapper, the tools and the tests all hold one.
//
// The parameters belong to a juce::AudioProcessor, which the framework's parameter state needs:
// the processor passes itself, everything else a ParameterHost. Any parameter change not made by
// a preset or state load marks the current preset modified.
class PluginState : public PresetManager, private juce::AudioProcessorValueTreeState::Listener
{
public:
    explicit PluginState(juce::AudioProcessor& owner);
    ~PluginState() override;

    juce::AudioProcessorValueTreeState parameters;

    // Every parameter's plain value, lock-free: safe on any thread, the audio thread's too.
    ParameterValues getParameterValues() const noexcept;
    bool isPowerOn() const noexcept;

    //==============================================================================
    // The state blob a host stores: the parameter tree with the current preset and the display
    // mode. Restoring takes what it can use of an untrusted blob (IncomingParameterTree.h) and
    // leaves everything as it was when the blob is no state.
    void save(juce::MemoryBlock& destination);
    void restore(const void* data, int sizeInBytes);

    //==============================================================================
    // Presets (PresetManager; PresetOperations.cpp).
    juce::StringArray getFactoryPresetNames() override;
    juce::StringArray getUserPresetNames() override;
    void loadFactoryPreset(const juce::String& name) override;
    bool saveUserPreset(const juce::String& name) override;
    bool loadUserPreset(const juce::String& name) override;
    bool deleteUserPreset(const juce::String& name) override;
    bool renameUserPreset(const juce::String& oldName, const juce::String& newName) override;
    bool renameUserPresetReplacing(const juce::String& oldName, const juce::String& newName) override;
    juce::String getCurrentPresetName() const override { return currentPreset.getName(); }
    bool isCurrentPresetUser() const override { return currentPreset.isUser(); }
    juce::String getCurrentPresetDisplayName() const override { return currentPreset.getDisplayName(); }

    CurrentPreset& getCurrentPreset() noexcept { return currentPreset; }
    const CurrentPreset& getCurrentPreset() const noexcept { return currentPreset; }
    PresetStore& getPresetStore() noexcept { return presetStore; }

    // Runs `change` as a preset or state load runs: the parameter changes it makes do not mark
    // the current preset modified.
    template <typename Change>
    void applyUnmarked(Change&& change)
    {
        applyingPreset.store(true);
        change();
        applyingPreset.store(false);
    }
    bool isApplyingPreset() const noexcept { return applyingPreset.load(); }

    //==============================================================================
    // The signal display's mode: an editor setting kept with the state, not a parameter.
    void setDisplayMode(DisplayMode mode) noexcept { displayMode.store(mode); }
    DisplayMode getDisplayMode() const noexcept { return displayMode.load(); }

private:
    void parameterChanged(const juce::String& parameterID, float newValue) override;

    // Looked up once, in table order, so that no thread ever searches by ID.
    std::array<std::atomic<float>*, numParameters> raw{};

    CurrentPreset currentPreset;
    std::atomic<bool> applyingPreset{false};
    std::atomic<DisplayMode> displayMode{DisplayMode::Model};
    PresetStore presetStore{PresetFolderIdentity::tarvolt()};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(PluginState)
};
