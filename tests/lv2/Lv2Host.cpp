#include "Lv2Host.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/parameters/parameters.h>
#include <lv2/urid/urid.h>

#include <cmath>
#include <cstdlib>

struct Lv2Host::UridMap
{
    std::map<std::string, LV2_URID> ids;
    std::vector<std::string> uris;
    LV2_URID_Map map{this, &UridMap::mapUri};
    LV2_URID_Unmap unmap{this, &UridMap::unmapUrid};

    LV2_URID operator()(const char* uri) { return mapUri(this, uri); }

    static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri)
    {
        auto& self = *static_cast<UridMap*>(handle);
        const auto [it, added] = self.ids.emplace(uri, (LV2_URID)self.uris.size() + 1);
        if (added)
            self.uris.emplace_back(uri);
        return it->second;
    }

    static const char* unmapUrid(LV2_URID_Unmap_Handle handle, LV2_URID urid)
    {
        auto& self = *static_cast<UridMap*>(handle);
        return urid >= 1 && urid <= self.uris.size() ? self.uris[urid - 1].c_str() : nullptr;
    }
};

namespace
{
struct Node
{
    LilvNode* node;
    explicit Node(LilvNode* n) : node(n) {}
    ~Node() { lilv_node_free(node); }
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    operator const LilvNode*() const { return node; }
};

} // namespace

Lv2Host::Lv2Host(const std::string& bundleFolder) : urids(std::make_unique<UridMap>())
{
    const char* system = std::getenv("LV2_PATH");
    const std::string path =
        bundleFolder + ":" +
        (system != nullptr ? std::string(system) : std::string("/usr/lib/x86_64-linux-gnu/lv2:/usr/lib/lv2"));
    lv2World = lilv_world_new();
    Node pathNode(lilv_new_string(lv2World, path.c_str()));
    lilv_world_set_option(lv2World, LILV_OPTION_LV2_PATH, pathNode);
    lilv_world_load_all(lv2World);
}

Lv2Host::~Lv2Host()
{
    lilv_world_free(lv2World);
}

LV2_URID_Map* Lv2Host::uridMap() const noexcept
{
    return &urids->map;
}

const LilvPlugin* Lv2Host::findPlugin(const std::string& uri) const
{
    Node node(lilv_new_uri(lv2World, uri.c_str()));
    return lilv_plugins_get_by_uri(lilv_world_get_all_plugins(lv2World), node);
}

std::vector<Lv2Host::Port> Lv2Host::ports(const LilvPlugin* plugin) const
{
    Node inputClass(lilv_new_uri(lv2World, LV2_CORE__InputPort));
    Node audioClass(lilv_new_uri(lv2World, LV2_CORE__AudioPort));
    Node controlClass(lilv_new_uri(lv2World, LV2_CORE__ControlPort));
    Node optional(lilv_new_uri(lv2World, LV2_CORE__connectionOptional));
    Node toggled(lilv_new_uri(lv2World, LV2_CORE__toggled));
    Node integer(lilv_new_uri(lv2World, LV2_CORE__integer));
    Node enumeration(lilv_new_uri(lv2World, LV2_CORE__enumeration));
    std::vector<Port> result;
    for (uint32_t i = 0; i < lilv_plugin_get_num_ports(plugin); ++i)
    {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        Port p;
        p.symbol = lilv_node_as_string(lilv_port_get_symbol(plugin, port));
        Node name(lilv_port_get_name(plugin, port));
        p.name = lilv_node_as_string(name);
        p.input = lilv_port_is_a(plugin, port, inputClass);
        p.audio = lilv_port_is_a(plugin, port, audioClass);
        p.control = lilv_port_is_a(plugin, port, controlClass);
        p.optional = lilv_port_has_property(plugin, port, optional);
        if (p.control)
        {
            LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
            lilv_port_get_range(plugin, port, &def, &min, &max);
            p.defaultValue = def != nullptr ? lilv_node_as_float(def) : std::nanf("");
            p.minimum = min != nullptr ? lilv_node_as_float(min) : std::nanf("");
            p.maximum = max != nullptr ? lilv_node_as_float(max) : std::nanf("");
            lilv_node_free(def);
            lilv_node_free(min);
            lilv_node_free(max);
            p.toggled = lilv_port_has_property(plugin, port, toggled);
            p.integer = lilv_port_has_property(plugin, port, integer);
            p.enumeration = lilv_port_has_property(plugin, port, enumeration);
            LilvScalePoints* points = lilv_port_get_scale_points(plugin, port);
            LILV_FOREACH(scale_points, j, points)
            {
                const LilvScalePoint* point = lilv_scale_points_get(points, j);
                p.scalePoints[lilv_node_as_string(lilv_scale_point_get_label(point))] =
                    lilv_node_as_float(lilv_scale_point_get_value(point));
            }
            lilv_scale_points_free(points);
        }
        result.push_back(p);
    }
    return result;
}

bool Lv2Host::process(const LilvPlugin* plugin, juce::AudioBuffer<float>& buffer, double sampleRate,
                      int blockSize, const std::map<std::string, float>& values, int settle,
                      const StateHook& stateHook)
{
    auto& map = *urids;
    int32_t minBlock = 1, maxBlock = blockSize;
    float rate = (float)sampleRate;
    const LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__minBlockLength),
                                           sizeof(int32_t), map(LV2_ATOM__Int), &minBlock},
                                          {LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__maxBlockLength),
                                           sizeof(int32_t), map(LV2_ATOM__Int), &maxBlock},
                                          {LV2_OPTIONS_INSTANCE, 0, map(LV2_PARAMETERS__sampleRate),
                                           sizeof(float), map(LV2_ATOM__Float), &rate},
                                          {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    LV2_Feature mapFeature{LV2_URID__map, &map.map};
    LV2_Feature unmapFeature{LV2_URID__unmap, &map.unmap};
    LV2_Feature optionsFeature{LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(options)};
    LV2_Feature boundedFeature{LV2_BUF_SIZE__boundedBlockLength, nullptr};
    const LV2_Feature* features[] = {&mapFeature, &unmapFeature, &optionsFeature, &boundedFeature, nullptr};

    LilvInstance* instance = lilv_plugin_instantiate(plugin, sampleRate, features);
    if (instance == nullptr)
        return false;

    // Audio ports in port order: left in, right in, left out, right out; the right pair stays
    // unconnected for mono audio.
    const int channels = buffer.getNumChannels();
    const auto portList = ports(plugin);
    std::vector<std::vector<float>> audio;
    std::vector<float> controls(portList.size(), 0.0f);
    int inputs = 0, outputs = 0;
    std::vector<std::pair<int, int>> channelOfAudioPort; // (port index, channel) for inputs and outputs
    audio.reserve(portList.size());
    for (uint32_t i = 0; i < portList.size(); ++i)
    {
        const auto& p = portList[i];
        if (p.audio)
        {
            const int channel = p.input ? inputs++ : outputs++;
            if (channel >= channels)
                continue;
            audio.emplace_back((size_t)blockSize, 0.0f);
            lilv_instance_connect_port(instance, i, audio.back().data());
            channelOfAudioPort.emplace_back((int)i, channel);
        }
        else if (p.control)
        {
            const auto value = values.find(p.symbol);
            controls[i] = value != values.end() ? value->second : p.defaultValue;
            lilv_instance_connect_port(instance, i, &controls[i]);
        }
    }

    auto runBlock = [&](juce::AudioBuffer<float>& block, int start, int n)
    {
        for (size_t a = 0; a < channelOfAudioPort.size(); ++a)
            if (portList[(size_t)channelOfAudioPort[a].first].input)
                std::copy_n(block.getReadPointer(channelOfAudioPort[a].second, start), n, audio[a].data());
        lilv_instance_run(instance, (uint32_t)n);
        for (size_t a = 0; a < channelOfAudioPort.size(); ++a)
            if (!portList[(size_t)channelOfAudioPort[a].first].input)
                std::copy_n(audio[a].data(), n, block.getWritePointer(channelOfAudioPort[a].second, start));
    };

    lilv_instance_activate(instance);
    auto runSilence = [&]
    {
        juce::AudioBuffer<float> silence(channels, blockSize);
        for (int done = 0; done < settle; done += blockSize)
        {
            silence.clear();
            runBlock(silence, 0, blockSize);
        }
    };
    if (stateHook)
    {
        runSilence();
        const auto* state = static_cast<const LV2_State_Interface*>(
            lilv_instance_get_extension_data(instance, LV2_STATE__interface));
        stateHook({state, lilv_instance_get_handle(instance), [&map](const char* uri) { return map(uri); }});
        runSilence();
    }
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
        runBlock(buffer, start, std::min(blockSize, buffer.getNumSamples() - start));
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
    return true;
}
