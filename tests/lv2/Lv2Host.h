#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <lilv/lilv.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A small LV2 host on Debian's lilv, as a Linux DAW would load Tarvolt's bundle: it offers
// urid:map/unmap and the block-length options, connects the audio ports (the right pair only
// for stereo audio) and sets the control ports.
class Lv2Host
{
public:
    // Loads every bundle on the LV2 path plus the given folder holding *.lv2 bundles.
    explicit Lv2Host(const std::string& bundleFolder);
    ~Lv2Host();

    const LilvPlugin* findPlugin(const std::string& uri) const;

    struct Port
    {
        std::string symbol, name;
        bool input = false, audio = false, control = false, optional = false;
        // Control ports only.
        float minimum = 0, maximum = 0, defaultValue = 0;
        bool toggled = false, integer = false, enumeration = false;
        std::map<std::string, float> scalePoints; // label to value
    };
    std::vector<Port> ports(const LilvPlugin* plugin) const;

    // What a host does with the plug-in's state: a call to the state interface's save or restore.
    struct StateAccess
    {
        const LV2_State_Interface* state;
        LV2_Handle handle;
        std::function<LV2_URID(const char*)> map;
    };
    using StateHook = std::function<void(const StateAccess&)>;

    // Processes the buffer (mono or stereo) in place in blocks of blockSize, with the control
    // ports at their defaults except the given values (by port symbol), set before the plug-in
    // is activated. A state hook runs after `settle` samples of silence, followed by as much
    // silence again. Returns false when the plug-in cannot be instantiated.
    bool process(const LilvPlugin* plugin, juce::AudioBuffer<float>& buffer, double sampleRate, int blockSize,
                 const std::map<std::string, float>& values, int settle = 0, const StateHook& stateHook = {});

    LilvWorld* world() const noexcept { return lv2World; }
    LV2_URID_Map* uridMap() const noexcept;

private:
    struct UridMap;
    std::unique_ptr<UridMap> urids;
    LilvWorld* lv2World = nullptr;
};
