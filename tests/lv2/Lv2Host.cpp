#include "Lv2Host.h"

#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/core/lv2.h>
#include <lv2/options/options.h>
#include <lv2/parameters/parameters.h>
#include <lv2/patch/patch.h>
#include <lv2/urid/urid.h>

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
        const auto [it, added] = self.ids.emplace(uri, (LV2_URID) self.uris.size() + 1);
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

float floatOf(LilvWorld* world, const LilvNode* subject, const char* predicate)
{
    Node p(lilv_new_uri(world, predicate));
    Node value(lilv_world_get(world, subject, p, nullptr));
    return value.node != nullptr ? lilv_node_as_float(value) : std::nanf("");
}

// Atom buffers want 8-byte alignment.
struct AtomBuffer
{
    explicit AtomBuffer(size_t bytes) : storage((bytes + 7) / 8) {}
    void* data() { return storage.data(); }
    uint32_t capacity() const { return (uint32_t) (storage.size() * 8); }
    std::vector<uint64_t> storage;
};
} // namespace

Lv2Host::Lv2Host(const std::string& bundleFolder) : urids(std::make_unique<UridMap>())
{
    const char* system = std::getenv("LV2_PATH");
    const std::string path = bundleFolder + ":"
                             + (system != nullptr ? std::string(system)
                                                  : std::string("/usr/lib/x86_64-linux-gnu/lv2:/usr/lib/lv2"));
    lv2World = lilv_world_new();
    Node pathNode(lilv_new_string(lv2World, path.c_str()));
    lilv_world_set_option(lv2World, LILV_OPTION_LV2_PATH, pathNode);
    lilv_world_load_all(lv2World);
}

Lv2Host::~Lv2Host()
{
    lilv_world_free(lv2World);
}

const LilvPlugin* Lv2Host::findPlugin(const std::string& uri) const
{
    Node node(lilv_new_uri(lv2World, uri.c_str()));
    return lilv_plugins_get_by_uri(lilv_world_get_all_plugins(lv2World), node);
}

std::vector<Lv2Host::Parameter> Lv2Host::parameters(const LilvPlugin* plugin) const
{
    // lilv reads a plug-in's description lazily; the parameters are only in its data files.
    lilv_world_load_resource(lv2World, lilv_plugin_get_uri(plugin));
    // lilv hands the writable properties back as a set, in no particular order.
    Node writable(lilv_new_uri(lv2World, LV2_PATCH__writable));
    LilvNodes* found = lilv_world_find_nodes(lv2World, lilv_plugin_get_uri(plugin), writable, nullptr);
    std::vector<Parameter> result;
    LILV_FOREACH(nodes, i, found)
    {
        const LilvNode* p = lilv_nodes_get(found, i);
        Parameter parameter;
        parameter.uri = lilv_node_as_uri(p);
        Node labelKey(lilv_new_uri(lv2World, LILV_NS_RDFS "label"));
        Node label(lilv_world_get(lv2World, p, labelKey, nullptr));
        parameter.label = label.node != nullptr ? lilv_node_as_string(label) : "";
        parameter.minimum = floatOf(lv2World, p, LV2_CORE__minimum);
        parameter.maximum = floatOf(lv2World, p, LV2_CORE__maximum);
        parameter.defaultValue = floatOf(lv2World, p, LV2_CORE__default);
        Node scalePoint(lilv_new_uri(lv2World, LV2_CORE__scalePoint));
        Node value(lilv_new_uri(lv2World, LILV_NS_RDF "value"));
        LilvNodes* points = lilv_world_find_nodes(lv2World, p, scalePoint, nullptr);
        LILV_FOREACH(nodes, j, points)
        {
            const LilvNode* point = lilv_nodes_get(points, j);
            Node pointLabel(lilv_world_get(lv2World, point, labelKey, nullptr));
            Node pointValue(lilv_world_get(lv2World, point, value, nullptr));
            if (pointLabel.node != nullptr && pointValue.node != nullptr)
                parameter.scalePoints[lilv_node_as_string(pointLabel)] = lilv_node_as_float(pointValue);
        }
        lilv_nodes_free(points);
        result.push_back(parameter);
    }
    lilv_nodes_free(found);
    return result;
}

std::vector<Lv2Host::Port> Lv2Host::ports(const LilvPlugin* plugin) const
{
    Node inputClass(lilv_new_uri(lv2World, LV2_CORE__InputPort));
    Node audioClass(lilv_new_uri(lv2World, LV2_CORE__AudioPort));
    Node controlClass(lilv_new_uri(lv2World, LV2_CORE__ControlPort));
    Node atomClass(lilv_new_uri(lv2World, LV2_ATOM__AtomPort));
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
        p.atom = lilv_port_is_a(plugin, port, atomClass);
        result.push_back(p);
    }
    return result;
}

bool Lv2Host::process(const LilvPlugin* plugin, juce::AudioBuffer<float>& buffer, double sampleRate, int blockSize,
                      const std::map<std::string, float>& values, int settle, const StateHook& stateHook)
{
    auto& map = *urids;
    int32_t minBlock = 1, maxBlock = blockSize;
    float rate = (float) sampleRate;
    const LV2_Options_Option options[] = {
        {LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__minBlockLength), sizeof(int32_t), map(LV2_ATOM__Int), &minBlock},
        {LV2_OPTIONS_INSTANCE, 0, map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t), map(LV2_ATOM__Int), &maxBlock},
        {LV2_OPTIONS_INSTANCE, 0, map(LV2_PARAMETERS__sampleRate), sizeof(float), map(LV2_ATOM__Float), &rate},
        {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    LV2_Feature mapFeature{LV2_URID__map, &map.map};
    LV2_Feature unmapFeature{LV2_URID__unmap, &map.unmap};
    LV2_Feature optionsFeature{LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(options)};
    LV2_Feature boundedFeature{LV2_BUF_SIZE__boundedBlockLength, nullptr};
    const LV2_Feature* features[] = {&mapFeature, &unmapFeature, &optionsFeature, &boundedFeature, nullptr};

    LilvInstance* instance = lilv_plugin_instantiate(plugin, sampleRate, features);
    if (instance == nullptr)
        return false;

    const int channels = buffer.getNumChannels();
    std::vector<std::vector<float>> audioIn, audioOut;
    std::vector<float> controls(lilv_plugin_get_num_ports(plugin), 0.0f);
    AtomBuffer eventsIn(1 << 16), eventsOut(1 << 16);
    const auto portList = ports(plugin);
    for (uint32_t i = 0; i < portList.size(); ++i)
    {
        const auto& p = portList[i];
        if (p.audio)
        {
            auto& list = p.input ? audioIn : audioOut;
            list.emplace_back((size_t) blockSize, 0.0f);
            lilv_instance_connect_port(instance, i, list.back().data());
        }
        else if (p.atom)
            lilv_instance_connect_port(instance, i, p.input ? eventsIn.data() : eventsOut.data());
        else
        {
            LilvNode* defaultValue = nullptr;
            lilv_port_get_range(plugin, lilv_plugin_get_port_by_index(plugin, i), &defaultValue, nullptr, nullptr);
            controls[i] = defaultValue != nullptr ? lilv_node_as_float(defaultValue) : 0.0f;
            lilv_node_free(defaultValue);
            lilv_instance_connect_port(instance, i, &controls[i]);
        }
    }
    // Buffers were moved while the lists grew: connect the audio ports again.
    for (uint32_t i = 0, in = 0, out = 0; i < portList.size(); ++i)
        if (portList[i].audio)
            lilv_instance_connect_port(instance, i, portList[i].input ? audioIn[in++].data() : audioOut[out++].data());

    LV2_Atom_Forge forge;
    lv2_atom_forge_init(&forge, &map.map);
    auto writeEvents = [&](bool withParameters) {
        lv2_atom_forge_set_buffer(&forge, (uint8_t*) eventsIn.data(), eventsIn.capacity());
        LV2_Atom_Forge_Frame sequence;
        lv2_atom_forge_sequence_head(&forge, &sequence, 0);
        if (withParameters)
            for (const auto& [uri, value] : values)
            {
                lv2_atom_forge_frame_time(&forge, 0);
                LV2_Atom_Forge_Frame object;
                lv2_atom_forge_object(&forge, &object, 0, map(LV2_PATCH__Set));
                lv2_atom_forge_key(&forge, map(LV2_PATCH__property));
                lv2_atom_forge_urid(&forge, map(uri.c_str()));
                lv2_atom_forge_key(&forge, map(LV2_PATCH__value));
                lv2_atom_forge_float(&forge, value);
                lv2_atom_forge_pop(&forge, &object);
            }
        lv2_atom_forge_pop(&forge, &sequence);
        auto* out = static_cast<LV2_Atom*>(eventsOut.data());
        out->size = eventsOut.capacity() - (uint32_t) sizeof(LV2_Atom);
        out->type = map(LV2_ATOM__Chunk);
    };

    auto runBlock = [&](const float* const* in, float* const* out, int n) {
        for (size_t ch = 0; ch < audioIn.size(); ++ch)
            std::copy(in[std::min((int) ch, channels - 1)], in[std::min((int) ch, channels - 1)] + n,
                      audioIn[ch].data());
        lilv_instance_run(instance, (uint32_t) n);
        for (int ch = 0; ch < channels && ch < (int) audioOut.size(); ++ch)
            std::copy(audioOut[(size_t) ch].data(), audioOut[(size_t) ch].data() + n, out[ch]);
    };

    lilv_instance_activate(instance);
    juce::AudioBuffer<float> silence(channels, blockSize);
    auto runSilence = [&](bool withParameters) {
        silence.clear();
        for (int done = 0, block = 0; done < settle; done += blockSize, ++block)
        {
            writeEvents(withParameters && block == 0);
            runBlock(silence.getArrayOfReadPointers(), silence.getArrayOfWritePointers(), blockSize);
            silence.clear();
        }
    };
    runSilence(true);
    if (stateHook)
    {
        const auto* state = static_cast<const LV2_State_Interface*>(
            lilv_instance_get_extension_data(instance, LV2_STATE__interface));
        stateHook({state, lilv_instance_get_handle(instance), [&map](const char* uri) { return map(uri); }});
        runSilence(false);
    }
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        const int n = std::min(blockSize, buffer.getNumSamples() - start);
        writeEvents(false);
        juce::AudioBuffer<float> view(buffer.getArrayOfWritePointers(), channels, start, n);
        runBlock(view.getArrayOfReadPointers(), view.getArrayOfWritePointers(), n);
    }
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
    return true;
}
