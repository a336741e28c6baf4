#pragma once

#include "plugin/lv2/Lv2Ports.h"
#include "processor/TarvoltAudioProcessor.h"

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <array>
#include <memory>

// One LV2 instance of Tarvolt: the processor behind the ports. Control ports are read at the
// start of every run and a value that moved since the last run is handed to its parameter the
// way the other formats hand a host's parameter change; the audio is processed in place on the
// output ports, in slices no longer than the block length the processor was prepared for. The
// host's state holds the processor's state blob.
class Lv2Instance
{
public:
    // Null for a sample rate that is not a positive number.
    static std::unique_ptr<Lv2Instance> create(double sampleRate, const LV2_Feature* const* features);

    void connectPort(uint32_t port, void* data) noexcept;
    void activate();
    void deactivate();
    void run(uint32_t numSamples) noexcept;

    LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle handle);
    LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

    TarvoltAudioProcessor& getProcessor() noexcept { return processor; }
    int getMaximumBlockLength() const noexcept { return maximumBlockLength; }

    // Used when the host announces no maximum block length.
    static constexpr int defaultMaximumBlockLength = 4096;

private:
    Lv2Instance(double sampleRate, int maximumBlockLength, LV2_URID stateKey, LV2_URID chunkType);
    void applyControlPorts() noexcept;

    TarvoltAudioProcessor processor;
    const double sampleRate;
    const int maximumBlockLength;
    const LV2_URID stateKey;
    const LV2_URID chunkType;

    std::array<float*, Lv2Ports::firstControl> audioPorts{};
    std::array<const float*, Lv2Ports::numControls> controlPorts{};
    std::array<float, Lv2Ports::numControls> lastControlValues{};
    std::array<juce::RangedAudioParameter*, Lv2Ports::numControls> parameters{};

    juce::AudioBuffer<float> slice;
    juce::MidiBuffer noMidi;
};
