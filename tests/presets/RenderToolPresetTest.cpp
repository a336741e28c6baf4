// Runs the built tarvolt-render binary with its preset options.

#include "PresetTestSupport.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <functional>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

struct ToolRun
{
    int exitCode = -1;
    juce::String output;
};

juce::File renderTool()
{
    const auto buildDir = juce::SystemStats::getEnvironmentVariable("TARVOLT_BUILD_DIR", {});
    return buildDir.isEmpty() ? juce::File() : juce::File(buildDir).getChildFile("bin/tarvolt-render");
}

ToolRun runTool(const juce::StringArray& arguments,
                int streams = juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr)
{
    juce::StringArray command{renderTool().getFullPathName()};
    command.addArray(arguments);
    juce::ChildProcess process;
    ToolRun run;
    if (!process.start(command, streams))
        return run;
    run.output = process.readAllProcessOutput();
    if (process.waitForProcessToFinish(60000))
        run.exitCode = (int)process.getExitCode();
    return run;
}

juce::AudioBuffer<float> drums()
{
    return harness::makeBuffer(2, harness::drumLikeSignal((int)sampleRate, 12000));
}

void writeWav(const juce::File& file, const juce::AudioBuffer<float>& buffer)
{
    auto stream = file.createOutputStream();
    ASSERT_NE(stream, nullptr);
    std::unique_ptr<juce::AudioFormatWriter> writer(
        juce::WavAudioFormat().createWriterFor(stream.get(), sampleRate, 2, 32, {}, 0));
    ASSERT_NE(writer, nullptr);
    stream.release();
    ASSERT_TRUE(writer->writeFromAudioSampleBuffer(buffer, 0, buffer.getNumSamples()));
}

juce::AudioBuffer<float> readWav(const juce::File& file)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(file));
    if (reader == nullptr)
        return {};
    juce::AudioBuffer<float> buffer((int)reader->numChannels, (int)reader->lengthInSamples);
    reader->read(&buffer, 0, buffer.getNumSamples(), 0, true, true);
    return buffer;
}

// What the tool should produce: the input through a processor set up the same way.
juce::AudioBuffer<float> renderInProcess(const juce::AudioBuffer<float>& input,
                                         const std::function<void(TarvoltAudioProcessor&)>& configure)
{
    TarvoltAudioProcessor processor;
    configure(processor);
    harness::prepare(processor, 2, sampleRate, blockSize);
    juce::AudioBuffer<float> output(input);
    harness::processInBlocks(processor, output, blockSize);
    return output;
}

float maxDifference(const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
        return std::numeric_limits<float>::infinity();
    float difference = 0.0f;
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int i = 0; i < a.getNumSamples(); ++i)
            difference = std::max(difference, std::abs(a.getSample(ch, i) - b.getSample(ch, i)));
    return difference;
}

struct RenderTool : ::testing::Test
{
    void SetUp() override
    {
        ASSERT_TRUE(renderTool().existsAsFile()) << "TARVOLT_BUILD_DIR/bin/tarvolt-render";
    }

    TestPresetRoot root;
    TestPresetRoot work;
};
} // namespace

TEST_F(RenderTool, ListsFactoryNamesThenUserNames)
{
    root.writePresetFile("b.xml", presetDocument({}));
    root.writePresetFile("A.xml", presetDocument({}));

    const auto run = runTool({"--list-presets", "--preset-root", root.folder().getFullPathName()},
                             juce::ChildProcess::wantStdOut);

    EXPECT_EQ(run.exitCode, 0);
    juce::StringArray expected{"Punchy Kicks",   "Snare Snap", "Loop Tightener", "Bass Knock", "Smooth Rooms",
                               "Aggro Parallel", "Tame Pokey", "Guitar Push",    "A",          "b"};
    EXPECT_EQ(juce::StringArray::fromLines(run.output.trimEnd()), expected);
}

TEST_F(RenderTool, ANameThatIsNeitherPresetIsAOneLineErrorAndWritesNothing)
{
    root.writePresetFile("Broken.xml", "<PARAMETERS");
    const auto input = work.folder().getChildFile("in.wav");
    writeWav(input, drums());

    for (auto name : {"bass knock", "Missing", "Broken"})
    {
        SCOPED_TRACE(name);
        const auto run =
            runTool({input.getFullPathName(), "-o", work.folder().getChildFile("out.wav").getFullPathName(),
                     "--preset", name, "--preset-root", root.folder().getFullPathName()});
        EXPECT_EQ(run.exitCode, 2);
        auto lines = juce::StringArray::fromLines(run.output.trimEnd());
        lines.removeString(juce::SystemStats::getJUCEVersion()); // debug builds announce the framework
        ASSERT_EQ(lines.size(), 1) << run.output;
        EXPECT_TRUE(
            lines[0].startsWith("tarvolt-render: error: no preset named \"" + juce::String(name) + "\""));
        EXPECT_EQ(work.allEntries(), juce::StringArray({"in.wav"}));
    }
}

TEST_F(RenderTool, PresetIsAppliedBeforeTheSettings)
{
    const auto source = drums();
    const auto input = work.folder().getChildFile("in.wav");
    writeWav(input, source);
    {
        TarvoltAudioProcessor userSide;
        root.attach(userSide);
        harness::setPlain(userSide, "attack", -11.0f);
        harness::setPlain(userSide, "focus", 0.0f);
        ASSERT_TRUE(userSide.saveUserPreset("Soft Low"));
    }

    struct Case
    {
        const char* description;
        juce::StringArray arguments;
        std::function<void(TarvoltAudioProcessor&)> configure;
    };
    const Case cases[] = {
        {"factory preset", {"--preset", "Snare Snap"}, [](auto& p) { p.loadFactoryPreset("Snare Snap"); }},
        {"factory preset, then a setting",
         {"--preset", "Snare Snap", "--set", "attack=0"},
         [](auto& p)
         {
             p.loadFactoryPreset("Snare Snap");
             harness::setPlain(p, "attack", 0.0f);
         }},
        {"setting given first still applies last",
         {"--set", "attack=0", "--preset", "Snare Snap"},
         [](auto& p)
         {
             p.loadFactoryPreset("Snare Snap");
             harness::setPlain(p, "attack", 0.0f);
         }},
        {"user preset",
         {"--preset", "Soft Low"},
         [this](auto& p)
         {
             root.attach(p);
             ASSERT_TRUE(p.loadUserPreset("Soft Low"));
         }},
    };

    const auto defaultRender = renderInProcess(source, [](auto&) {});
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.description);
        const auto output = work.folder().getChildFile("out.wav");
        auto arguments = c.arguments;
        arguments.addArray({input.getFullPathName(), "-o", output.getFullPathName(), "--quiet",
                            "--preset-root", root.folder().getFullPathName()});

        const auto run = runTool(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.output;

        const auto expected = renderInProcess(source, c.configure);
        ASSERT_GT(maxDifference(expected, defaultRender), 1.0e-3f) << "the case must change the sound";
        EXPECT_LT(maxDifference(readWav(output), expected), 1.0e-6f);
        output.deleteFile();
    }
}
