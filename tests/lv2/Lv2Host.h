#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <lilv/lilv.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A small LV2 host on Debian's lilv, as a Linux DAW would load Tarvolt's bundle: it offers
// urid:map/unmap, the block-length options and bounded block lengths, connects every port,
// and sets parameters with patch:Set messages on the control input (the framework's LV2
// wrapper publishes its parameters as patch parameters).
class Lv2Host
{
public:
    // Loads every bundle on the LV2 path plus the given folder holding *.lv2 bundles.
    explicit Lv2Host(const std::string& bundleFolder);
    ~Lv2Host();

    const LilvPlugin* findPlugin(const std::string& uri) const;

    // A parameter as the bundle's description announces it.
    struct Parameter
    {
        std::string uri, label;
        float minimum = 0, maximum = 0, defaultValue = 0;
        std::map<std::string, float> scalePoints; // label to value
    };
    // The plug-in's writable parameters, in no particular order.
    std::vector<Parameter> parameters(const LilvPlugin* plugin) const;

    struct Port
    {
        std::string symbol, name;
        bool input = false, audio = false, control = false, atom = false;
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

    // Processes the buffer in place in blocks of blockSize, after `settle` samples of silence
    // during which the parameter values (by parameter URI, plain values) reach the plug-in and
    // its ramps complete. A state hook runs after that silence and is followed by as much
    // silence again. Returns false when the plug-in cannot be instantiated.
    bool process(const LilvPlugin* plugin, juce::AudioBuffer<float>& buffer, double sampleRate, int blockSize,
                 const std::map<std::string, float>& values, int settle, const StateHook& stateHook = {});

    LilvWorld* world() const noexcept { return lv2World; }

private:
    struct UridMap;
    std::unique_ptr<UridMap> urids;
    LilvWorld* lv2World = nullptr;
};
