#pragma once

#include "state/PluginState.h"

#include <juce_audio_processors/juce_audio_processors.h>

// A juce::AudioProcessor that processes nothing and holds a PluginState: the framework's
// parameters need a processor to belong to, and the LV2 wrapper, the tools and the tests need
// the state without the plug-in's processor. It has no buses and no editor; its state blob is
// the state's.
class ParameterHost : public juce::AudioProcessor
{
public:
    ParameterHost() = default;

    PluginState& getState() noexcept { return state; }
    const PluginState& getState() const noexcept { return state; }

    const juce::String getName() const override { return "Tarvolt"; }
    void prepareToPlay(double, int) override {}
    void releaseResources() override {}
    void processBlock(juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    using juce::AudioProcessor::processBlock;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    bool hasEditor() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram(int) override {}
    const juce::String getProgramName(int) override { return {}; }
    void changeProgramName(int, const juce::String&) override {}
    void getStateInformation(juce::MemoryBlock& destination) override { state.save(destination); }
    void setStateInformation(const void* data, int sizeInBytes) override { state.restore(data, sizeInBytes); }

private:
    PluginState state{*this};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ParameterHost)
};
