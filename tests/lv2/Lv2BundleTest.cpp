// The built LV2 bundle, loaded with Debian's lilv as a Linux host loads it: its identity, its
// parameters and audio ports, and its audio compared with the render tool on the same file.

#include "Lv2Host.h"
#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <lv2/atom/atom.h>

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

juce::AudioBuffer<float> readWav(const juce::File& file, double& sampleRate)
{
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatReader> reader(wav.createReaderFor(file.createInputStream().release(), true));
    if (reader == nullptr)
        return {};
    juce::AudioBuffer<float> buffer((int) reader->numChannels, (int) reader->lengthInSamples);
    reader->read(&buffer, 0, buffer.getNumSamples(), 0, true, true);
    sampleRate = reader->sampleRate;
    return buffer;
}

void writeWav(const juce::File& file, const juce::AudioBuffer<float>& buffer, double sampleRate)
{
    file.deleteFile();
    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer(
        wav.createWriterFor(file.createOutputStream().release(), sampleRate, (unsigned) buffer.getNumChannels(), 32, {}, 0));
    ASSERT_NE(writer, nullptr);
    writer->writeFromAudioSampleBuffer(buffer, 0, buffer.getNumSamples());
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
    LilvNode* email = lilv_plugin_get_author_email(plugin);
    EXPECT_EQ(email, nullptr) << "the vendor has no e-mail, yet the bundle names " << lilv_node_as_string(email);
    lilv_node_free(email);
}

TEST_F(Lv2Bundle, OffersTheTenParametersWithTheirNamesRangesAndDefaults)
{
    const auto parameters = host.parameters(plugin);
    ASSERT_EQ(parameters.size(), parameterSpecs.size());
    for (const auto& spec : parameterSpecs)
    {
        SCOPED_TRACE(spec.id);
        const auto it = std::find_if(parameters.begin(), parameters.end(), [&spec](const auto& p) {
            return p.uri == pluginUri + ":" + spec.id;
        });
        ASSERT_NE(it, parameters.end()) << "no parameter " << pluginUri << ":" << spec.id;
        EXPECT_EQ(it->label, spec.name);
        EXPECT_FLOAT_EQ(it->minimum, spec.minimum);
        EXPECT_FLOAT_EQ(it->maximum, spec.maximum);
        EXPECT_FLOAT_EQ(it->defaultValue, spec.defaultValue);
        // A choice is offered under its name with the index the parameter takes.
        for (int index = 0; index < spec.numChoices(); ++index)
        {
            const auto point = it->scalePoints.find(spec.choices[(size_t) index]);
            ASSERT_NE(point, it->scalePoints.end()) << "no scale point " << spec.choices[(size_t) index];
            EXPECT_FLOAT_EQ(point->second, (float) index) << spec.choices[(size_t) index];
        }
    }
}

TEST_F(Lv2Bundle, HasAStereoPairOfAudioPortsAndNoMidi)
{
    int audioIn = 0, audioOut = 0;
    for (const auto& port : host.ports(plugin))
    {
        if (port.audio)
            (port.input ? audioIn : audioOut)++;
        EXPECT_EQ(juce::String(port.symbol).containsIgnoreCase("midi"), false) << port.symbol;
    }
    EXPECT_EQ(audioIn, 2);
    EXPECT_EQ(audioOut, 2);
}

TEST_F(Lv2Bundle, ProcessesAWavFileLikeTheRenderTool)
{
    const double rate = 48000.0;
    const auto folder = juce::File::createTempFile("tarvolt-lv2");
    ASSERT_TRUE(folder.createDirectory());
    const auto input = folder.getChildFile("drums.wav");
    const auto rendered = folder.getChildFile("rendered.wav");

    juce::AudioBuffer<float> drums(2, (int) (3 * rate));
    const auto left = harness::drumLikeSignal(drums.getNumSamples(), 9000, 21);
    const auto right = harness::drumLikeSignal(drums.getNumSamples(), 7000, 22);
    drums.copyFrom(0, 0, left.data(), drums.getNumSamples());
    drums.copyFrom(1, 0, right.data(), drums.getNumSamples());
    writeWav(input, drums, rate);

    // Settings away from the defaults, as the render tool and as patch:Set values.
    struct Setting
    {
        const char* id;
        const char* text;
        float value;
    };
    const Setting settings[] = {{"mode", "Tight", 0.0f},   {"attack", "8", 8.0f},       {"sustain", "-6", -6.0f},
                                {"sensitivity", "75", 75.0f}, {"focus", "High", 2.0f}, {"punch", "55", 55.0f},
                                {"clip", "40", 40.0f},     {"mix", "90", 90.0f},        {"output", "-3", -3.0f}};

    juce::StringArray command{juce::String(TARVOLT_RENDER_TOOL),
                              input.getFullPathName(), "-o", rendered.getFullPathName(), "--block", "512", "--quiet"};
    std::map<std::string, float> values;
    for (const auto& s : settings)
    {
        command.add("--set");
        command.add(juce::String(s.id) + "=" + s.text);
        values[pluginUri + ":" + s.id] = s.value;
    }
    juce::ChildProcess render;
    ASSERT_TRUE(render.start(command));
    const auto renderOutput = render.readAllProcessOutput();
    ASSERT_EQ(render.getExitCode(), 0u) << renderOutput;

    double renderedRate = 0.0, inputRate = 0.0;
    const auto expected = readWav(rendered, renderedRate);
    auto hosted = readWav(input, inputRate);
    ASSERT_EQ(expected.getNumSamples(), drums.getNumSamples());
    ASSERT_TRUE(host.process(plugin, hosted, inputRate, 512, values, 4096));

    int differing = 0;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < hosted.getNumSamples(); ++i)
            differing += hosted.getSample(ch, i) != expected.getSample(ch, i) ? 1 : 0;
    EXPECT_EQ(differing, 0) << "samples that differ between the LV2 host and the render tool";

    // The settings did reach the plug-in: the result is not the input.
    EXPECT_GT(std::abs(hosted.getMagnitude(0, hosted.getNumSamples()) - drums.getMagnitude(0, drums.getNumSamples())),
              0.01f);
    folder.deleteRecursively();
}

TEST_F(Lv2Bundle, NonFiniteInputNeverReachesTheOutput)
{
    juce::AudioBuffer<float> audio(2, 48000);
    const auto signal = harness::drumLikeSignal(audio.getNumSamples(), 4000, 31);
    for (int ch = 0; ch < 2; ++ch)
        audio.copyFrom(ch, 0, signal.data(), audio.getNumSamples());
    const float broken[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    for (int i = 1000; i < 1300; ++i)
        audio.setSample(i % 2, i, broken[i % 3]);

    ASSERT_TRUE(host.process(plugin, audio, 48000.0, 256, {}, 0));
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
    std::string key, value;
    LV2_URID type = 0;

    static LV2_State_Status store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size, uint32_t type,
                                  uint32_t)
    {
        auto& self = *static_cast<StoredState*>(handle);
        self.key = std::to_string(key);
        self.value.assign(static_cast<const char*>(value), size);
        self.type = type;
        return LV2_STATE_SUCCESS;
    }

    static const void* retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags)
    {
        auto& self = *static_cast<StoredState*>(handle);
        if (self.key != std::to_string(key))
            return nullptr;
        *size = self.value.size();
        *type = self.type;
        *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
        return self.value.data();
    }
};

juce::AudioBuffer<float> drums(int seed)
{
    juce::AudioBuffer<float> audio(2, 48000);
    for (int ch = 0; ch < 2; ++ch)
    {
        const auto signal = harness::drumLikeSignal(audio.getNumSamples(), 5000 + 1000 * ch, (unsigned) (seed + ch));
        audio.copyFrom(ch, 0, signal.data(), audio.getNumSamples());
    }
    return audio;
}

bool sameAudio(const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int i = 0; i < a.getNumSamples(); ++i)
            if (a.getSample(ch, i) != b.getSample(ch, i))
                return false;
    return true;
}
} // namespace

TEST_F(Lv2Bundle, StateSavedByTheHostBringsTheSettingsBack)
{
    const std::map<std::string, float> settings{{pluginUri + ":attack", -9.0f}, {pluginUri + ":mode", 2.0f},
                                                {pluginUri + ":clip", 80.0f}, {pluginUri + ":focus", 0.0f}};
    StoredState saved;
    auto withSettings = drums(51);
    ASSERT_TRUE(host.process(plugin, withSettings, 48000.0, 512, settings, 4096, [&saved](const auto& access) {
        ASSERT_NE(access.state, nullptr) << "no state interface";
        ASSERT_EQ(access.state->save(access.handle, &StoredState::store, &saved, 0, nullptr), LV2_STATE_SUCCESS);
    }));
    EXPECT_FALSE(saved.value.empty());

    auto restored = drums(51);
    ASSERT_TRUE(host.process(plugin, restored, 48000.0, 512, {}, 4096, [&saved](const auto& access) {
        ASSERT_EQ(access.state->restore(access.handle, &StoredState::retrieve, &saved, 0, nullptr), LV2_STATE_SUCCESS);
    }));
    auto plain = drums(51);
    ASSERT_TRUE(host.process(plugin, plain, 48000.0, 512, {}, 4096));

    EXPECT_TRUE(sameAudio(restored, withSettings)) << "the restored instance does not sound like the saved one";
    EXPECT_FALSE(sameAudio(plain, withSettings)) << "the settings made no difference";
}

TEST_F(Lv2Bundle, MalformedStateLeavesThePlugInAsItWas)
{
    auto untouched = drums(61);
    ASSERT_TRUE(host.process(plugin, untouched, 48000.0, 512, {}, 4096));

    // The wrapper keeps the processor's state blob as the framework's base64 text.
    auto encode = [](const juce::MemoryBlock& block) { return block.toBase64Encoding().toStdString(); };
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
    const auto real = encode(realState);
    const std::string malformed[] = {"", "not base64 at all !", encode(randomBytes), encode(wrongRoot),
                                     real.substr(0, real.size() / 2)};
    for (const auto& text : malformed)
    {
        SCOPED_TRACE("state \"" + text.substr(0, 40) + "\"");
        auto audio = drums(61);
        ASSERT_TRUE(host.process(plugin, audio, 48000.0, 512, {}, 4096, [&text](const auto& access) {
            StoredState broken{std::to_string(access.map((pluginUri + ":StateString").c_str())), text + '\0',
                               access.map(LV2_ATOM__String)};
            access.state->restore(access.handle, &StoredState::retrieve, &broken, 0, nullptr);
        }));
        EXPECT_TRUE(sameAudio(audio, untouched));
    }
}
