#pragma once

#include "plugin/lv2/Lv2Ports.h"
#include "dsp/TransientShaper.h"
#include "state/ParameterHost.h"

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <array>
#include <atomic>
#include <memory>

// One LV2 instance of Tarvolt: the shaper behind the ports. Control ports are read at the start
// of every run; a value that moved since the last run becomes the shaper's setting, as the
// parameter would store it, and the audio is shaped in place on the output ports. While the
// host's enabled port is 0 the shaper runs with the power off, as under a VST3 host's bypass.
// Nothing on the audio thread goes through the framework's parameters. The host's state holds the
// same state blob as the other formats: the plug-in's state (on a ParameterHost, which processes
// nothing) keeps the parameters and the current preset for it, and takes the settings over when
// the host saves.
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

    // The settings the audio runs with (safe to read while run() runs).
    ParameterValues getSettings() const noexcept;

private:
    Lv2Instance(double sampleRate, LV2_URID stateKey, LV2_URID chunkType);
    void applyControlPorts() noexcept;
    void publish() noexcept;

    ParameterHost host; // the state's parameters belong to it
    PluginState& state = host.getState();
    TransientShaper shaper;
    const double sampleRate;
    const LV2_URID stateKey;
    const LV2_URID chunkType;

    std::array<float*, Lv2Ports::firstControl> audioPorts{};
    std::array<const float*, Lv2Ports::numControls> controlPorts{};
    float* latencyPort = nullptr;
    const float* enabledPort = nullptr;
    bool enabled = true;
    std::array<float, Lv2Ports::numControls> lastControlValues{};
    std::array<juce::RangedAudioParameter*, Lv2Ports::numControls> parameters{};

    ParameterValues settings;                                       // the audio thread's
    std::array<std::atomic<float>, Lv2Ports::numControls> published; // the same, for save()
};
