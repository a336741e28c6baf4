#pragma once

#include "editor/display/DisplayMode.h"
#include "presets/PresetStore.h"
#include "presets/PresettableProcessor.h"
#include "processor/LiveFeed.h"
#include "processor/ParameterValues.h"
#include "processor/ProductInfo.h"
#include "processor/TransientShaper.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <array>
#include <atomic>

class TarvoltAudioProcessor : public juce::AudioProcessor,
                              public PresettableProcessor,
                              public juce::AudioProcessorValueTreeState::Listener
{
public:
    TarvoltAudioProcessor();
    ~TarvoltAudioProcessor() override;

    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    //==============================================================================
    const juce::String getName() const override;

    void prepareToPlay(double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;
    // The host's own bypass (the framework calls it while the VST3 host's bypass parameter is
    // on): the same block with the power off, ramped as the power switch ramps.
    void processBlockBypassed(juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlockBypassed;

    bool isBusesLayoutSupported(const BusesLayout& layouts) const override;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;
    bool isMidiEffect() const override;

    bool hasEditor() const override;
    juce::AudioProcessorEditor* createEditor() override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram(int index) override;
    const juce::String getProgramName(int index) override;
    void changeProgramName(int index, const juce::String& newName) override;

    void getStateInformation(juce::MemoryBlock& destData) override;
    void setStateInformation(const void* data, int sizeInBytes) override;

    //==============================================================================
    // Marks the current preset modified on any parameter change not made by a preset or state load.
    void parameterChanged(const juce::String& parameterID, float newValue) override;

    // Lock-free parameter readers, safe on any thread.
    ParameterValues getParameterValues() const noexcept;
    bool isPowerOn() const noexcept;
    int getModeIndex() const noexcept;
    int getFocusIndex() const noexcept;

    // Published meter positions; a channel below 0 reads channel 0, above 1 reads channel 1.
    float getInputLevel(int channel) const noexcept;
    float getOutputLevel(int channel) const noexcept;

    //==============================================================================
    // Presets (implemented in source/presets).
    juce::StringArray getFactoryPresetNames() override;
    juce::StringArray getUserPresetNames() override;
    void loadFactoryPreset(const juce::String& name) override;
    bool saveUserPreset(const juce::String& name) override;
    bool loadUserPreset(const juce::String& name) override;
    bool deleteUserPreset(const juce::String& name) override;
    bool renameUserPreset(const juce::String& oldName, const juce::String& newName) override;
    bool renameUserPresetReplacing(const juce::String& oldName, const juce::String& newName) override;

    // The current preset: its name ("Presets" when none is chosen), whether it is a user
    // preset, and whether a parameter changed since it was set.
    void setCurrentPreset(const juce::String& name, bool isUser, bool modified);
    juce::String getCurrentPresetName() const override;
    bool isCurrentPresetUser() const override;
    juce::String getCurrentPresetDisplayName() const override;

    PresetStore& getPresetStore() noexcept { return presetStore; }

    //==============================================================================
    // The signal display's mode: an editor setting kept with the state, not a parameter.
    void setDisplayMode(DisplayMode mode) noexcept { displayMode.store(mode); }
    DisplayMode getDisplayMode() const noexcept { return displayMode.load(); }

    // What the live view reads: filled by processBlock while a reader listens.
    LiveFeed& getLiveFeed() noexcept { return liveFeed; }

    //==============================================================================
    juce::AudioProcessorValueTreeState parameters;

    std::atomic<float> inputLevels[2]{{0.0f}, {0.0f}};
    std::atomic<float> outputLevels[2]{{0.0f}, {0.0f}};

    std::atomic<bool> currentPresetModified{false};
    std::atomic<bool> applyingPreset{false};

private:
    // The plain value of a parameter by its place in the table.
    float readPlain(size_t index) const noexcept;

    // Shapes a block in place with the settings, feeds the live view and the meters.
    void shapeBlock(juce::AudioBuffer<float>& buffer, const ParameterValues& settings) noexcept;

    // Looked up once, in table order, so the audio thread never searches by ID.
    std::array<std::atomic<float>*, numParameters> raw{};

    TransientShaper shaper;
    LiveFeed liveFeed;
    std::atomic<DisplayMode> displayMode{DisplayMode::Model};

    PresetStore presetStore{ProductInfo::tarvolt()};

    juce::CriticalSection presetLock;
    juce::String currentPresetName{noPresetName};
    bool currentPresetIsUser = false;

    ProductInfo productInfo = ProductInfo::tarvolt();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarvoltAudioProcessor)
};
