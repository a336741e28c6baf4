// The built LV2 bundle, loaded with Debian's lilv as a Linux host loads it: its identity, its
// ports, its factory presets, its audio compared with the render tool on the same file, and the
// state a host keeps for it.

#include "Lv2Host.h"
#include "plugin/lv2/Lv2Ports.h"
#include "state/FactoryPresets.h"
#include "tools/RenderToolSupport.h"

#include <gtest/gtest.h>

#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/presets/presets.h>

namespace
{
const std::string pluginUri = "https://www.orvaneaudio.com/plugins/tarvolt";

std::string bundleFolder()
{
    return TARVOLT_LV2_FOLDER;
}

struct Lv2Bundle : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(juce::File(bundleFolder()).getChildFile("Tarvolt.lv2/manifest.ttl").existsAsFile())
            << "no LV2 bundle in " << bundleFolder();
        plugin = host.findPlugin(pluginUri);
        ASSERT_NE(plugin, nullptr) << pluginUri << " not found";
    }

    Lv2Host host{bundleFolder()};
    const LilvPlugin* plugin = nullptr;
};

juce::AudioBuffer<float> drums(int channels, int length, unsigned seed)
{
    juce::AudioBuffer<float> audio(channels, length);
    for (int ch = 0; ch < channels; ++ch)
    {
        const auto signal = harness::drumLikeSignal(length, 9000 - 2000 * ch, seed + (unsigned)ch);
        audio.copyFrom(ch, 0, signal.data(), length);
    }
    return audio;
}

// Settings away from the defaults, as render tool options and as control port values.
struct Setting
{
    const char* symbol;
    const char* text;
    float value;
};
const Setting awayFromDefaults[] = {
    {"mode", "Tight", 0.0f},      {"attack", "8", 8.0f},   {"sustain", "-6", -6.0f},
    {"sensitivity", "75", 75.0f}, {"focus", "High", 2.0f}, {"punch", "55", 55.0f},
    {"clip", "40", 40.0f},        {"mix", "90", 90.0f},    {"output", "-3", -3.0f},
    {"link", "On", 1.0f}};

std::map<std::string, float> portValues(const Setting* begin, const Setting* end)
{
    std::map<std::string, float> values;
    for (auto* s = begin; s != end; ++s)
        values[s->symbol] = s->value;
    return values;
}

// The render tool's result for the file with the settings.
juce::AudioBuffer<float> renderToolResult(const juce::File& input, const juce::File& output)
{
    juce::StringArray args{
        input.getFullPathName(), "-o", output.getFullPathName(), "--block", "512", "--quiet"};
    for (const auto& s : awayFromDefaults)
        args.addArray({"--set", juce::String(s.symbol) + "=" + s.text});
    const auto run = renderTool::run(args);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return renderTool::readWav(output).audio;
}

bool sameAudio(const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    return renderTool::maxDifference(a, b) == 0.0f;
}
} // namespace

TEST_F(Lv2Bundle, PresentsTarvoltsIdentity)
{
    LilvNode* name = lilv_plugin_get_name(plugin);
    EXPECT_STREQ(lilv_node_as_string(name), "Tarvolt");
    lilv_node_free(name);
    LilvNode* author = lilv_plugin_get_author_name(plugin);
    ASSERT_NE(author, nullptr);
    EXPECT_STREQ(lilv_node_as_string(author), "Orvane Audio");
    lilv_node_free(author);
    LilvNode* homepage = lilv_plugin_get_author_homepage(plugin);
    ASSERT_NE(homepage, nullptr);
    EXPECT_STREQ(lilv_node_as_uri(homepage), "https://www.orvaneaudio.com");
    lilv_node_free(homepage);
    EXPECT_STREQ(lilv_node_as_uri(lilv_plugin_class_get_uri(lilv_plugin_get_class(plugin))),
                 LV2_CORE__DynamicsPlugin);
    EXPECT_TRUE(lilv_plugin_verify(plugin));
}

TEST_F(Lv2Bundle, OffersTheParametersAsControlPortsWithTheirNamesRangesAndDefaults)
{
    const auto ports = host.ports(plugin);
    std::vector<Lv2Host::Port> controls;
    std::copy_if(ports.begin(), ports.end(), std::back_inserter(controls),
                 [](const auto& p) { return p.control && p.input && p.symbol != "enabled"; });
    ASSERT_EQ(controls.size(), parameterSpecs.size());
    for (size_t i = 0; i < parameterSpecs.size(); ++i)
    {
        const auto& spec = parameterSpecs[i];
        const auto& port = controls[i];
        SCOPED_TRACE(spec.id);
        EXPECT_TRUE(port.input);
        EXPECT_EQ(port.symbol, spec.id);
        EXPECT_EQ(port.name, spec.name);
        EXPECT_FLOAT_EQ(port.minimum, spec.minimum);
        EXPECT_FLOAT_EQ(port.maximum, spec.maximum);
        EXPECT_FLOAT_EQ(port.defaultValue, spec.defaultValue);
        EXPECT_EQ(port.toggled, spec.kind == ParameterSpec::Kind::toggle);
        EXPECT_EQ(port.enumeration, spec.kind == ParameterSpec::Kind::choice);
        // A choice is offered under its name with the index the parameter takes.
        ASSERT_EQ((int)port.scalePoints.size(), spec.numChoices());
        for (int index = 0; index < spec.numChoices(); ++index)
        {
            const auto point = port.scalePoints.find(spec.choices[(size_t)index]);
            ASSERT_NE(point, port.scalePoints.end()) << "no scale point " << spec.choices[(size_t)index];
            EXPECT_FLOAT_EQ(point->second, (float)index);
        }
    }
}

// The one control output: the latency, where hosts look for it.
TEST_F(Lv2Bundle, ReportsItsLatencyOnADesignatedOutputPort)
{
    std::vector<std::string> outputs;
    for (const auto& port : host.ports(plugin))
        if (port.control && !port.input)
            outputs.push_back(port.symbol);
    EXPECT_EQ(outputs, std::vector<std::string>{"latency"});
    EXPECT_EQ(lilv_plugin_get_latency_port_index(plugin), Lv2Ports::latency);
}

// The host's bypass: a toggled control input designated lv2:enabled, on by default, after every
// other port (so that the ports hosts have stored keep their indices).
TEST_F(Lv2Bundle, OffersTheHostsBypassOnADesignatedEnabledPort)
{
    LilvNode* inputClass = lilv_new_uri(host.world(), LV2_CORE__InputPort);
    LilvNode* enabled = lilv_new_uri(host.world(), LV2_CORE_PREFIX "enabled");
    const LilvPort* port = lilv_plugin_get_port_by_designation(plugin, inputClass, enabled);
    lilv_node_free(enabled);
    lilv_node_free(inputClass);
    ASSERT_NE(port, nullptr) << "no input designated lv2:enabled";
    EXPECT_EQ(lilv_port_get_index(plugin, port), Lv2Ports::enabled);
    EXPECT_EQ(Lv2Ports::enabled, lilv_plugin_get_num_ports(plugin) - 1);

    const auto ports = host.ports(plugin);
    ASSERT_EQ(ports.size(), (size_t)Lv2Ports::count);
    const auto& p = ports[Lv2Ports::enabled];
    EXPECT_EQ(p.symbol, "enabled");
    EXPECT_TRUE(p.control);
    EXPECT_TRUE(p.toggled);
    EXPECT_EQ(p.defaultValue, 1.0f);
    EXPECT_EQ(p.minimum, 0.0f);
    EXPECT_EQ(p.maximum, 1.0f);
}

// A host that starts the plug-in bypassed gets the input, as late as the latency port says,
// from the first sample on.
TEST_F(Lv2Bundle, StartedBypassedItPlaysTheInputAsLateAsItsLatency)
{
    for (const float quality : {0.0f, 1.0f})
    {
        SCOPED_TRACE(quality > 0.5f ? "High" : "Standard");
        const auto input = drums(2, 20000, 71);
        auto audio = input;
        ASSERT_TRUE(host.process(plugin, audio, 48000.0, 512, {{"enabled", 0.0f}, {"quality", quality}}));
        const int latency =
            TransientShaper::latencyFor(quality > 0.5f ? Quality::high : Quality::standard);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < audio.getNumSamples(); ++i)
                ASSERT_EQ(audio.getSample(ch, i), i < latency ? 0.0f : input.getSample(ch, i - latency))
                    << "channel " << ch << ", sample " << i;
    }
}

TEST_F(Lv2Bundle, HasAStereoPairOfAudioPortsWhoseRightHalfIsOptional)
{
    std::vector<std::string> audio;
    for (const auto& port : host.ports(plugin))
        if (port.audio)
        {
            audio.push_back(port.symbol);
            EXPECT_EQ(port.optional, port.symbol.back() == 'r') << port.symbol;
        }
    EXPECT_EQ(audio, (std::vector<std::string>{"in_l", "in_r", "out_l", "out_r"}));
}

TEST_F(Lv2Bundle, OffersTheFactoryPresetsWithTheirValues)
{
    LilvNode* presetClass = lilv_new_uri(host.world(), LV2_PRESETS__Preset);
    LilvNodes* presets = lilv_plugin_get_related(plugin, presetClass);
    lilv_node_free(presetClass);
    std::map<std::string, std::map<std::string, float>> found;
    LILV_FOREACH(nodes, i, presets)
    {
        const LilvNode* preset = lilv_nodes_get(presets, i);
        lilv_world_load_resource(host.world(), preset);
        LilvState* state = lilv_state_new_from_world(host.world(), host.uridMap(), preset);
        ASSERT_NE(state, nullptr) << lilv_node_as_uri(preset);
        auto& values = found[lilv_state_get_label(state)];
        lilv_state_emit_port_values(
            state,
            [](const char* symbol, void* data, const void* value, uint32_t size, uint32_t)
            {
                if (size == sizeof(float))
                    (*static_cast<std::map<std::string, float>*>(data))[symbol] =
                        *static_cast<const float*>(value);
            },
            &values);
        lilv_state_free(state);
    }
    lilv_nodes_free(presets);

    ASSERT_EQ(found.size(), factoryPresetTable.size());
    for (const auto& preset : factoryPresetTable)
    {
        SCOPED_TRACE(preset.name);
        ASSERT_EQ(found.count(preset.name), 1u);
        // A host sets every port a preset carries: only what factory presets set, so that Quality
        // and the link stay as they are.
        const auto& values = found[preset.name];
        EXPECT_EQ(values.size(), numFactoryPresetParameters);
        for (const auto& spec : parameterSpecs)
        {
            const auto value = values.find(spec.id);
            ASSERT_EQ(value != values.end(), spec.setByFactoryPresets()) << spec.id;
            if (value != values.end())
            {
                EXPECT_FLOAT_EQ(value->second, *preset.valueOf(spec.id)) << spec.id;
            }
        }
    }
}

// Stereo and mono files, each through this host at the render tool's block size: every sample
// equals the render tool's.
TEST_F(Lv2Bundle, ProcessesAWavFileLikeTheRenderTool)
{
    const double rate = 48000.0;
    const auto folder = juce::File::createTempFile("tarvolt-lv2");
    ASSERT_TRUE(folder.createDirectory());
    for (const int channels : {2, 1})
    {
        SCOPED_TRACE(channels == 2 ? "stereo" : "mono");
        const auto input = folder.getChildFile("drums.wav");
        const auto source = drums(channels, (int)(3 * rate), 21);
        renderTool::writeWav(input, source, rate, 32);
        const auto expected = renderToolResult(input, folder.getChildFile("rendered.wav"));
        ASSERT_EQ(expected.getNumChannels(), channels);

        auto hosted = renderTool::readWav(input).audio;
        ASSERT_TRUE(host.process(plugin, hosted, rate, 512,
                                 portValues(std::begin(awayFromDefaults), std::end(awayFromDefaults))));
        EXPECT_EQ(renderTool::maxDifference(hosted, expected), 0.0f);
        // The settings did reach the plug-in: the result is not the input.
        EXPECT_GT(renderTool::maxDifference(hosted, source), 0.01f);
    }
    folder.deleteRecursively();
}

// Debian's stock command-line LV2 host, with the settings as its control values, gives the
// render tool's result.
TEST_F(Lv2Bundle, DebiansLv2applyGivesTheRenderToolsResult)
{
    const juce::File lv2apply("/usr/bin/lv2apply");
    if (!lv2apply.existsAsFile())
        GTEST_SKIP() << "lv2apply (package lilv-utils) is not installed";
    const double rate = 44100.0;
    const auto folder = juce::File::createTempFile("tarvolt-lv2apply");
    ASSERT_TRUE(folder.createDirectory());
    const auto input = folder.getChildFile("drums.wav");
    renderTool::writeWav(input, drums(2, (int)(2 * rate), 41), rate, 32);
    const auto expected = renderToolResult(input, folder.getChildFile("rendered.wav"));

    const auto output = folder.getChildFile("lv2apply.wav");
    juce::StringArray command{lv2apply.getFullPathName(), "-i", input.getFullPathName(), "-o",
                              output.getFullPathName()};
    for (const auto& s : awayFromDefaults)
        command.addArray({"-c", s.symbol, juce::String(s.value)});
    command.add(pluginUri);
    // lv2apply finds bundles on LV2_PATH, which a child inherits.
    const juce::String previous = juce::SystemStats::getEnvironmentVariable("LV2_PATH", {});
    setenv("LV2_PATH", bundleFolder().c_str(), 1);
    juce::ChildProcess process;
    const bool started = process.start(command);
    const auto printed = started ? process.readAllProcessOutput() : juce::String();
    if (previous.isEmpty())
        unsetenv("LV2_PATH");
    else
        setenv("LV2_PATH", previous.toRawUTF8(), 1);
    ASSERT_TRUE(started);
    ASSERT_EQ(process.getExitCode(), 0u) << printed;

    const auto result = renderTool::readWav(output);
    EXPECT_EQ(result.rate, rate);
    EXPECT_EQ(renderTool::maxDifference(result.audio, expected), 0.0f);
    folder.deleteRecursively();
}

TEST_F(Lv2Bundle, NonFiniteInputNeverReachesTheOutput)
{
    auto audio = drums(2, 48000, 31);
    const float broken[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    for (int i = 1000; i < 1300; ++i)
        audio.setSample(i % 2, i, broken[i % 3]);

    ASSERT_TRUE(host.process(plugin, audio, 48000.0, 256, {}));
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < audio.getNumSamples(); ++i)
            ASSERT_TRUE(std::isfinite(audio.getSample(ch, i))) << "channel " << ch << " sample " << i;
    EXPECT_GT(audio.getMagnitude(0, 2000, 46000), 0.1f) << "the track plays on after the broken samples";
}

namespace
{
// The one value the bundle keeps in its state, as a host's store sees it.
struct StoredState
{
    LV2_URID key = 0;
    std::string value;
    LV2_URID type = 0;

    static LV2_State_Status store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size,
                                  uint32_t type, uint32_t)
    {
        auto& self = *static_cast<StoredState*>(handle);
        self.key = key;
        self.value.assign(static_cast<const char*>(value), size);
        self.type = type;
        return LV2_STATE_SUCCESS;
    }

    static const void* retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                                uint32_t* flags)
    {
        auto& self = *static_cast<StoredState*>(handle);
        if (self.key != key)
            return nullptr;
        *size = self.value.size();
        *type = self.type;
        *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
        return self.value.data();
    }
};
} // namespace

TEST_F(Lv2Bundle, StateSavedByTheHostBringsTheSettingsBack)
{
    StoredState saved;
    auto withSettings = drums(2, 48000, 51);
    ASSERT_TRUE(
        host.process(plugin, withSettings, 48000.0, 512,
                     {{"attack", -9.0f}, {"mode", 2.0f}, {"clip", 80.0f}, {"focus", 0.0f}}, 4096,
                     [&saved](const auto& access)
                     {
                         ASSERT_NE(access.state, nullptr) << "no state interface";
                         ASSERT_EQ(access.state->save(access.handle, &StoredState::store, &saved, 0, nullptr),
                                   LV2_STATE_SUCCESS);
                     }));
    EXPECT_FALSE(saved.value.empty());

    // A new instance whose controls the host leaves alone takes the settings from the state.
    auto restored = drums(2, 48000, 51);
    ASSERT_TRUE(host.process(plugin, restored, 48000.0, 512, {}, 4096,
                             [&saved](const auto& access)
                             {
                                 ASSERT_EQ(access.state->restore(access.handle, &StoredState::retrieve,
                                                                 &saved, 0, nullptr),
                                           LV2_STATE_SUCCESS);
                             }));
    auto plain = drums(2, 48000, 51);
    ASSERT_TRUE(host.process(plugin, plain, 48000.0, 512, {}));

    EXPECT_TRUE(sameAudio(restored, withSettings))
        << "the restored instance does not sound like the saved one";
    EXPECT_FALSE(sameAudio(plain, withSettings)) << "the settings made no difference";
}

TEST_F(Lv2Bundle, MalformedStateLeavesThePlugInAsItWas)
{
    auto untouched = drums(2, 48000, 61);
    ASSERT_TRUE(host.process(plugin, untouched, 48000.0, 512, {}));

    juce::MemoryBlock randomBytes(600);
    juce::Random(7).fillBitsRandomly(randomBytes.getData(), randomBytes.getSize());
    juce::MemoryBlock wrongRoot;
    juce::XmlElement stranger("NOTPARAMETERS");
    stranger.setAttribute("attack", 12.0);
    juce::AudioProcessor::copyXmlToBinary(stranger, wrongRoot);
    juce::MemoryBlock realState;
    {
        TarvoltAudioProcessor other;
        harness::setPlain(other, "attack", 12.0f);
        harness::setPlain(other, "mix", 20.0f);
        other.getStateInformation(realState);
    }
    const std::string real(static_cast<const char*>(realState.getData()), realState.getSize());
    struct Case
    {
        const char* what;
        std::string bytes;
        const char* type;
    };
    const Case cases[] = {{"empty", "", LV2_ATOM__Chunk},
                          {"random bytes", randomBytes.toString().toStdString(), LV2_ATOM__Chunk},
                          {"wrong root element",
                           std::string((const char*)wrongRoot.getData(), wrongRoot.getSize()),
                           LV2_ATOM__Chunk},
                          {"cut in half", real.substr(0, real.size() / 2), LV2_ATOM__Chunk},
                          {"a real state under another type", real, LV2_ATOM__String}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        auto audio = drums(2, 48000, 61);
        ASSERT_TRUE(host.process(
            plugin, audio, 48000.0, 512, {}, 4096,
            [&c](const auto& access)
            {
                StoredState broken{access.map((pluginUri + "#state").c_str()), c.bytes, access.map(c.type)};
                access.state->restore(access.handle, &StoredState::retrieve, &broken, 0, nullptr);
            }));
        EXPECT_TRUE(sameAudio(audio, untouched));
    }
}
