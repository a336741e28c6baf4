// Runs the built tarvolt-render the way a user does and checks files, figures and errors.

#include "RenderToolSupport.h"
#include "processor/Parameters.h"

#include <gtest/gtest.h>

using namespace renderTool;

namespace
{
juce::AudioBuffer<float> testAudio(int channels, int length)
{
    const auto signal = harness::drumLikeSignal(length, 4000, 17);
    auto audio = harness::makeBuffer(channels, signal);
    if (channels == 2)
        audio.applyGain(1, 0, length, 0.5f);
    return audio;
}

// What the processor makes of the audio with the given plain parameter values.
juce::AudioBuffer<float> processInProcess(const juce::AudioBuffer<float>& audio, double rate,
                                          const std::vector<std::pair<const char*, float>>& settings)
{
    return renderInProcess(audio, rate, [&](TarvoltAudioProcessor& processor) {
        for (auto& [id, value] : settings)
            harness::setPlain(processor, id, value);
    });
}

class RenderTool : public ::testing::Test
{
protected:
    juce::TemporaryFile folder;
    juce::File dir;

    void SetUp() override
    {
        dir = folder.getFile();
        ASSERT_TRUE(dir.createDirectory());
    }
    void TearDown() override { dir.deleteRecursively(); }
};
} // namespace

TEST_F(RenderTool, KeepsTheFormatAndMatchesTheProcessor)
{
    struct Case
    {
        int channels;
        double rate;
        int bits;
        float tolerance; // one step of the output's quantisation
    };
    const Case cases[] = {{1, 44100.0, 16, 2.0f / 32768.0f}, {2, 48000.0, 24, 2.0f / 8388608.0f}, {2, 96000.0, 32, 0.0f}};

    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.channels) + " ch, " + juce::String(c.rate) + " Hz, " + juce::String(c.bits) + " bit");
        const auto input = dir.getChildFile("in.wav");
        writeWav(input, testAudio(c.channels, 20000), c.rate, c.bits);
        const auto original = readWav(input);

        const auto r = run({"in.wav", "-o", "out.wav", "--set", "attack=8", "--set", "mode=Tight", "--set",
                                "focus=high", "--set", "mix=80"},
                               dir);
        ASSERT_EQ(r.exitCode, 0) << r.output;
        EXPECT_TRUE(r.output.contains("crest")) << r.output;

        const auto out = readWav(dir.getChildFile("out.wav"));
        EXPECT_EQ(out.rate, c.rate);
        EXPECT_EQ(out.channels, c.channels);
        EXPECT_EQ(out.bits, c.bits);
        ASSERT_EQ(out.audio.getNumSamples(), original.audio.getNumSamples());

        const auto expected = processInProcess(original.audio, c.rate,
                                               {{"attack", 8.0f}, {"mode", 0.0f}, {"focus", 2.0f}, {"mix", 80.0f}});
        // Integer formats end at full scale: the boosted hits clip there, and the tool says so.
        const bool integer = c.bits < 32;
        int clipped = 0;
        for (int ch = 0; ch < c.channels; ++ch)
            for (int i = 0; i < expected.getNumSamples(); ++i)
            {
                float v = expected.getSample(ch, i);
                if (integer && std::abs(v) > 1.0f)
                {
                    v = juce::jlimit(-1.0f, 1.0f, v);
                    ++clipped;
                }
                ASSERT_NEAR(out.audio.getSample(ch, i), v, c.tolerance) << "channel " << ch << " sample " << i;
            }
        if (integer)
        {
            ASSERT_GT(clipped, 0) << "the fixture should clip";
            EXPECT_TRUE(r.output.contains("warning: " + juce::String(clipped) + " samples clipped")) << r.output;
        }
        else
            EXPECT_FALSE(r.output.contains("clipped")) << r.output;
    }
}

TEST_F(RenderTool, ReportsPeakRmsAndCrestPerChannel)
{
    writeWav(dir.getChildFile("in.wav"), testAudio(2, 9600), 48000.0, 32);
    const auto r = run({"in.wav", "--quiet"}, dir);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(dir.getChildFile("in-tarvolt.wav").existsAsFile()) << "default output name";
    for (auto* text : {"channel 1:", "channel 2:", "peak", "rms", "crest"})
        EXPECT_TRUE(r.output.contains(text)) << text << " missing in\n" << r.output;
}

TEST_F(RenderTool, DemoWritesDryAndShapedDrums)
{
    const auto r = run({}, dir);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const auto dry = readWav(dir.getChildFile("tarvolt-demo-dry.wav"));
    const auto shaped = readWav(dir.getChildFile("tarvolt-demo.wav"));
    ASSERT_EQ(dry.channels, 2);
    ASSERT_GT(dry.audio.getNumSamples(), 48000 * 3);
    ASSERT_EQ(shaped.audio.getNumSamples(), dry.audio.getNumSamples());

    const auto expected = processInProcess(dry.audio, 48000.0, {});
    for (int i = 0; i < expected.getNumSamples(); i += 7)
        ASSERT_EQ(shaped.audio.getSample(0, i), expected.getSample(0, i)) << i;
}

TEST_F(RenderTool, DrawsTheProgressBarOnlyOnATerminal)
{
    writeWav(dir.getChildFile("long.wav"), testAudio(1, 48000 * 6), 48000.0, 16); // long enough for a bar
    const auto command = shellCommandLine({"long.wav", "-o", "out.wav"});

    // Standard error into a file, as in a log.
    const auto logged = runShell(command + " 2>stderr.txt", dir, juce::ChildProcess::wantStdOut);
    ASSERT_EQ(logged.exitCode, 0) << logged.output;
    EXPECT_TRUE(logged.output.contains("crest")) << logged.output;
    const auto loggedErrors = dir.getChildFile("stderr.txt").loadFileAsString();
    EXPECT_TRUE(outputLines(loggedErrors).isEmpty()) << "nothing but errors and warnings:\n" << loggedErrors;

    // A terminal, made by script(1) from util-linux.
    if (!juce::File("/usr/bin/script").existsAsFile())
        GTEST_SKIP() << "no script(1) to give the tool a terminal";
    const auto onTerminal = runShell("exec script -qec " + command.quoted('"') + " /dev/null", dir);
    ASSERT_EQ(onTerminal.exitCode, 0) << onTerminal.output;
    EXPECT_TRUE(onTerminal.output.contains("] 100%")) << onTerminal.output;
}

TEST_F(RenderTool, ErrorsAreOneLineExitTwoAndWriteNothing)
{
    writeWav(dir.getChildFile("in.wav"), testAudio(1, 4800), 48000.0, 16);
    juce::AudioBuffer<float> quad(4, 480);
    quad.clear();
    writeWav(dir.getChildFile("quad.wav"), quad, 48000.0, 16);
    dir.getChildFile("garbage.wav").replaceWithText("this is not audio");
    const auto existing = dir.getChildFile("existing.wav");
    existing.replaceWithText("keep me");

    struct Case
    {
        juce::StringArray args;
        const char* message;
    };
    const Case cases[] = {
        {{"missing.wav", "-o", "existing.wav"}, "no such file"},
        {{"garbage.wav", "-o", "existing.wav"}, "unsupported or unreadable"},
        {{"quad.wav", "-o", "existing.wav"}, "channel count"},
        {{"in.wav", "-o", "existing.wav", "--set", "loudness=3"}, "unknown parameter"},
        {{"in.wav", "-o", "existing.wav", "--set", "attack=13"}, "out of range"},
        {{"in.wav", "-o", "existing.wav", "--set", "mode=Loud"}, "out of range"},
        {{"in.wav", "-o", "existing.wav", "--set", "mode=1.5"}, "out of range"},
        {{"in.wav", "-o", "existing.wav", "--set", "attack"}, "id=value"},
        {{"in.wav", "-o", "existing.wav", "--block", "0"}, "block size"},
        {{"in.wav", "-o", "existing.wav", "--frobnicate"}, "unknown option"},
    };
    for (const auto& c : cases)
    {
        const auto r = run(c.args, dir);
        SCOPED_TRACE(c.args.joinIntoString(" "));
        EXPECT_EQ(r.exitCode, 2);
        const auto lines = outputLines(r.output);
        ASSERT_EQ(lines.size(), 1) << "one line: " << r.output;
        EXPECT_TRUE(lines[0].startsWith("tarvolt-render: error: ")) << r.output;
        EXPECT_TRUE(lines[0].contains(c.message)) << r.output;
        EXPECT_EQ(existing.loadFileAsString(), "keep me");
    }
    EXPECT_EQ(dir.getNumberOfChildFiles(juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles), 4)
        << "no output and no temporary file left behind";
    EXPECT_EQ(dir.getNumberOfChildFiles(juce::File::findFilesAndDirectories), 4);
}

TEST_F(RenderTool, HelpListsEveryParameterWithItsUnitOrChoices)
{
    const auto r = run({"--help"}, dir, juce::ChildProcess::wantStdOut);
    ASSERT_EQ(r.exitCode, 0);
    const auto lines = outputLines(r.output);

    for (const auto& spec : parameterSpecs)
    {
        SCOPED_TRACE(spec.id);
        juce::StringArray found;
        for (const auto& line : lines)
            if (line.trimStart().upToFirstOccurrenceOf(" ", false, false) == spec.id)
                found.add(line);
        ASSERT_EQ(found.size(), 1) << r.output;
        const auto& line = found[0];

        if (spec.kind == ParameterSpec::Kind::number)
        {
            EXPECT_TRUE(line.contains(juce::String(spec.minimum) + " to " + juce::String(spec.maximum))) << line;
            ASSERT_NE(spec.unit, ParameterSpec::Unit::none);
            EXPECT_TRUE(line.endsWith(spec.unit == ParameterSpec::Unit::decibels ? " dB" : " %")) << line;
        }
        else
            for (int i = 0; i < spec.numChoices(); ++i)
                EXPECT_TRUE(line.contains(spec.choices[(size_t) i])) << line;
    }
}
