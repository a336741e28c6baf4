#pragma once

#include "dsp/LevelMeters.h"
#include "dsp/LiveFeed.h"
#include "dsp/TransientShaper.h"
#include "state/PluginState.h"

#include <juce_audio_processors/juce_audio_processors.h>

// The plug-in as the framework's formats see it: the buses, the audio blocks and the host's
// bypass, the factory presets as programs, the state blob and the editor. Each block is shaped with the
// state's parameter values (ShaperSettingsFrom); the meters and the live feed carry what the
// editor shows of the audio. The latency follows the quality parameter.
class TarvoltAudioProcessor : public juce::AudioProcessor,
                              private juce::AudioProcessorValueTreeState::Listener
{
public:
    TarvoltAudioProcessor();
    ~TarvoltAudioProcessor() override;

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

    // The host's program list: the factory presets (HostPrograms.cpp).
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram(int index) override;
    const juce::String getProgramName(int index) override;
    void changeProgramName(int index, const juce::String& newName) override;

    void getStateInformation(juce::MemoryBlock& destData) override;
    void setStateInformation(const void* data, int sizeInBytes) override;

    //==============================================================================
    // The parameters, the current preset, the display mode and the presets.
    PluginState& getState() noexcept { return state; }
    const PluginState& getState() const noexcept { return state; }

    // The published meter levels, written by every block.
    const LevelMeters& getMeters() const noexcept { return meters; }
    LevelMeters& getMeters() noexcept { return meters; }

    // What the live view reads: filled by processBlock while a reader listens.
    LiveFeed& getLiveFeed() noexcept { return liveFeed; }

private:
    // The quality decides the latency.
    void parameterChanged(const juce::String& parameterID, float newValue) override;

    // Tells the host when the preset chosen in the editor moves its current program.
    void reportProgramChange();

    // Shapes a block in place with the settings, feeds the live view and the meters.
    void shapeBlock(juce::AudioBuffer<float>& buffer, const ShaperSettings& settings) noexcept;

    PluginState state{*this};
    TransientShaper shaper;
    LiveFeed liveFeed;
    LevelMeters meters;
    std::atomic<int> reportedProgram{0};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarvoltAudioProcessor)
};
