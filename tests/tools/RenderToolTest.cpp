// Runs the built tarvolt-render the way a user does and checks files, figures and errors.

#include "RenderToolSupport.h"
#include "state/Parameters.h"
#include "dsp/TransientShaper.h"

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

// A WAV file of 64-bit float samples (silence), which the framework does not read.
void writeFloat64Wav(const juce::File& file, int frames)
{
    juce::MemoryOutputStream out;
    out.write("RIFF", 4);
    out.writeInt(36 + frames * 8);
    out.write("WAVEfmt ", 8);
    out.writeInt(16);
    out.writeShort(3); // IEEE float
    out.writeShort(1); // mono
    out.writeInt(48000);
    out.writeInt(48000 * 8);
    out.writeShort(8);
    out.writeShort(64);
    out.write("data", 4);
    out.writeInt(frames * 8);
    for (int i = 0; i < frames; ++i)
        out.writeDouble(0.0);
    ASSERT_TRUE(file.replaceWithData(out.getData(), out.getDataSize()));
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

        const auto r = runSplit({"in.wav", "-o", "out.wav", "--set", "attack=8", "--set", "mode=Tight", "--set",
                                "focus=high", "--set", "mix=80"},
                               dir);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(r.out.contains("crest")) << r.out;

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
            // On stderr with the tool's prefix, like every message.
            EXPECT_TRUE(r.err.startsWith("tarvolt-render: warning: " + juce::String(clipped) + " samples clipped"))
                << r.err;
        }
        else
            EXPECT_TRUE(r.err.isEmpty()) << r.err;
    }
}

// With High quality the processor runs late; the tool writes its output lined up with the input,
// the same length, so that the two can be compared sample for sample.
TEST_F(RenderTool, HighQualityOutputLinesUpWithTheInput)
{
    const auto input = dir.getChildFile("in.wav");
    const auto audio = testAudio(2, 20000);
    writeWav(input, audio, 48000.0, 32);

    // A mix of 0 is the input itself.
    auto r = run({"in.wav", "-o", "dry.wav", "--set", "quality=High", "--set", "mix=0"}, dir);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(maxDifference(readWav(dir.getChildFile("dry.wav")).audio, audio), 0.0f);

    // Shaped: the processor's output from its latency on, with the input followed by silence.
    r = run({"in.wav", "-o", "out.wav", "--set", "quality=High", "--set", "clip=60"}, dir);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const int latency = TransientShaper::latencyFor(Quality::high);
    juce::AudioBuffer<float> padded(2, audio.getNumSamples() + latency);
    padded.clear();
    for (int ch = 0; ch < 2; ++ch)
        padded.copyFrom(ch, 0, audio, ch, 0, audio.getNumSamples());
    const auto late = processInProcess(padded, 48000.0, {{"quality", 1.0f}, {"clip", 60.0f}});
    juce::AudioBuffer<float> expected(2, audio.getNumSamples());
    for (int ch = 0; ch < 2; ++ch)
        expected.copyFrom(ch, 0, late, ch, latency, audio.getNumSamples());
    EXPECT_EQ(maxDifference(readWav(dir.getChildFile("out.wav")).audio, expected), 0.0f);
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
    const auto r = run({"--demo"}, dir);
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

// Forgetting the input must not render the demo over files named like the output.
TEST_F(RenderTool, WithoutAnInputOrDemoPrintsTheUsageAndWritesNothing)
{
    const auto existing = dir.getChildFile("drums-shaped.wav");
    existing.replaceWithText("keep me");

    const auto r = runSplit({"-o", "drums-shaped.wav", "--set", "attack=8"}, dir);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.out.isEmpty()) << r.out;
    EXPECT_TRUE(r.err.startsWith("usage: tarvolt-render")) << r.err;
    EXPECT_TRUE(outputLines(r.err).strings.getLast().startsWith("tarvolt-render: error: no input file given"))
        << r.err;
    EXPECT_EQ(dir.findChildFiles(juce::File::findFilesAndDirectories, false, "*").size(), 1);
    EXPECT_EQ(existing.loadFileAsString(), "keep me");
}

TEST_F(RenderTool, DrawsTheProgressBarOnlyOnATerminal)
{
    writeWav(dir.getChildFile("long.wav"), testAudio(1, 48000 * 6), 48000.0, 32); // long enough for a bar
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
    ASSERT_TRUE(dir.getChildFile("folder.wav").createDirectory());
    writeWav(dir.getChildFile("rate800.wav"), testAudio(1, 800), 800.0, 16);
    writeFloat64Wav(dir.getChildFile("float64.wav"), 480);
    const auto existing = dir.getChildFile("existing.wav");
    existing.replaceWithText("keep me");
    const auto entriesBefore = dir.findChildFiles(juce::File::findFilesAndDirectories, false, "*").size();

    struct Case
    {
        juce::StringArray args;
        juce::String message;
    };
    const Case cases[] = {
        {{"missing.wav", "-o", "existing.wav"}, "no such file"},
        {{"garbage.wav", "-o", "existing.wav"}, "unsupported or unreadable"},
        {{"quad.wav", "-o", "existing.wav"}, "quad.wav: unsupported channel count 4 (mono or stereo only)"},
        {{"folder.wav", "-o", "existing.wav"}, "folder.wav is a folder, not an audio file"},
        {{"float64.wav", "-o", "existing.wav"}, "float64.wav: 64-bit float WAV is not supported"},
        {{"rate800.wav", "-o", "existing.wav"}, "unsupported sample rate 800 Hz (1000 to 768000 Hz)"},
        {{"in.wav", "-o", "out.mp3"}, "does not write .mp3 files; name it .wav, .aif or .aiff"},
        {{"in.wav", "-o", "shaped"}, "shaped: the name has no extension"},
        {{"in.wav", "-o", "nowhere/out.wav"}, "out.wav: the folder " + dir.getChildFile("nowhere").getFullPathName()
                                                   + " does not exist"},
        {{"in.wav", "-o", "in.wav"}, "in.wav would overwrite an input"},
        {{"in.wav", "quad.wav", "-o", "existing.wav"}, "several inputs need an output folder (-o FOLDER/)"},
        // No output folder is made for a command that cannot run.
        {{"in.wav", "in.wav", "-o", "made/"}, "two inputs would be written to " + dir.getChildFile("made/in.wav").getFullPathName()},
        {{"in.wav", "quad.wav", "-o", "made/", "--preset", "Nope"}, "no preset named \"Nope\""},
        {{"--demo", "in.wav", "-o", "existing.wav"}, "--demo renders the built-in drums and takes no input file"},
        {{"in.wav", "--preset", "Snare Snap", "--user-preset", "Mine"}, "give one preset"},
        {{"in.wav", "-o", "existing.wav", "--set", "loudness=3"}, "unknown parameter"},
        {{"in.wav", "-o", "existing.wav", "--set", "attack=13"}, "out of range for attack: -12 to 12 dB"},
        {{"in.wav", "-o", "existing.wav", "--set", "attack=loud"}, "\"loud\" for attack: not a number"},
        {{"in.wav", "-o", "existing.wav", "--set", "attack=45%"}, "\"45%\" for attack: wrong unit"},
        {{"in.wav", "-o", "existing.wav", "--set", "mode=Loud"}, "not a choice; mode takes Tight, Punch, Smooth"},
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
    EXPECT_EQ(dir.findChildFiles(juce::File::findFilesAndDirectories, false, "*").size(), entriesBefore)
        << "no output and no temporary file left behind";
}

// Values are read as the editor's value entry reads them: with or without their unit.
TEST_F(RenderTool, ValuesWithTheirUnitsRenderAsThePlainNumbers)
{
    writeWav(dir.getChildFile("in.wav"), testAudio(2, 9600), 48000.0, 32);
    auto r = run({"in.wav", "-o", "plain.wav", "--set", "attack=6", "--set", "mix=70", "--set", "output=-1.5"}, dir);
    ASSERT_EQ(r.exitCode, 0) << r.output;
    r = run({"in.wav", "-o", "units.wav", "--set", "attack=+6 dB", "--set", "mix= 70 % ", "--set", "output=-1.5db"},
            dir);
    ASSERT_EQ(r.exitCode, 0) << r.output;

    const auto plain = readWav(dir.getChildFile("plain.wav"));
    const auto expected = processInProcess(readWav(dir.getChildFile("in.wav")).audio, 48000.0,
                                           {{"attack", 6.0f}, {"mix", 70.0f}, {"output", -1.5f}});
    EXPECT_EQ(maxDifference(plain.audio, expected), 0.0f);
    EXPECT_EQ(maxDifference(readWav(dir.getChildFile("units.wav")).audio, plain.audio), 0.0f);
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

namespace
{
struct Rendered
{
    Run run;
    WavFile out; // empty when nothing was written
};

// Renders `inputName` in `dir` into out.wav.
Rendered renderFile(const juce::File& dir, const juce::String& inputName)
{
    const auto output = dir.getChildFile("out.wav");
    output.deleteFile();
    Rendered r{run({inputName, "-o", output.getFileName(), "--quiet"}, dir), {}};
    if (output.existsAsFile())
        r.out = readWav(output);
    return r;
}

// The report's level lines, without the line naming the files.
juce::StringArray levelLines(const juce::String& output)
{
    juce::StringArray lines;
    for (const auto& line : outputLines(output))
        if (line.contains("peak"))
            lines.add(line);
    return lines;
}

void expectFramesOfWhole(const juce::AudioBuffer<float>& part, const juce::AudioBuffer<float>& whole, int frames)
{
    ASSERT_EQ(part.getNumSamples(), frames);
    ASSERT_EQ(part.getNumChannels(), whole.getNumChannels());
    for (int ch = 0; ch < part.getNumChannels(); ++ch)
        for (int i = 0; i < frames; ++i)
            ASSERT_EQ(part.getSample(ch, i), whole.getSample(ch, i)) << "channel " << ch << " frame " << i;
}

void expectNothingRendered(const Rendered& r, const juce::File& dir, const char* message)
{
    EXPECT_EQ(r.run.exitCode, 2);
    const auto lines = outputLines(r.run.output);
    ASSERT_EQ(lines.size(), 1) << r.run.output;
    EXPECT_TRUE(lines[0].startsWith("tarvolt-render: error: ")) << r.run.output;
    EXPECT_TRUE(lines[0].contains(message)) << r.run.output;
    EXPECT_FALSE(dir.getChildFile("out.wav").exists());
    EXPECT_EQ(dir.getNumberOfChildFiles(juce::File::findFiles),
              dir.getNumberOfChildFiles(juce::File::findFiles | juce::File::ignoreHiddenFiles))
        << "no temporary file left behind";
}

juce::MemoryBlock bytesOf(const juce::File& file)
{
    juce::MemoryBlock bytes;
    EXPECT_TRUE(file.loadFileAsData(bytes));
    return bytes;
}

// Where a RIFF file's chunk with the given ID starts (its size field follows the ID).
size_t findChunk(const juce::MemoryBlock& riff, const char* id)
{
    for (size_t i = 12; i + 8 <= riff.getSize(); ++i)
        if (std::memcmp(riff.begin() + i, id, 4) == 0)
            return i;
    ADD_FAILURE() << "no " << id << " chunk";
    return 0;
}

void putUint32(juce::MemoryBlock& bytes, size_t offset, juce::uint32 value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = (char) ((value >> (8 * i)) & 0xffu);
}

// The WAV's chunks in an RF64 file whose ds64 chunk gives the data chunk `dataSize` bytes.
juce::MemoryBlock asRf64(juce::MemoryBlock wav, juce::int64 dataSize)
{
    putUint32(wav, findChunk(wav, "data") + 4, 0xffffffffu); // the size lives in ds64
    juce::MemoryOutputStream out;
    out.write("RF64", 4);
    out.writeInt(-1);
    out.write("WAVE", 4);
    out.write("ds64", 4);
    out.writeInt(28);
    out.writeInt64((juce::int64) wav.getSize() + 36 - 8); // RIFF size
    out.writeInt64(dataSize);
    out.writeInt64(0); // sample count
    out.writeInt(0);   // table length
    out.write(wav.begin() + 12, wav.getSize() - 12);
    return out.getMemoryBlock();
}
} // namespace

TEST_F(RenderTool, ACutInputRendersTheFramesItHoldsAndSaysSo)
{
    constexpr int frames = 4800;
    struct Format
    {
        const char* fileName;
        int channels;
        int bytesPerFrame;
        std::function<void(const juce::File&, const juce::AudioBuffer<float>&)> write;
    };
    const Format formats[] = {
        {"in.wav", 2, 8, [](auto& file, auto& audio) { writeWav(file, audio, 48000.0, 32); }},
        {"in.aiff", 1, 2, [](auto& file, auto& audio) { writeAudio(juce::AiffAudioFormat(), file, audio, 44100.0, 16); }},
    };

    for (const auto& format : formats)
    {
        SCOPED_TRACE(format.fileName);
        const auto source = testAudio(format.channels, frames);
        const auto intact = dir.getChildFile(format.fileName);
        format.write(intact, source);
        const auto whole = renderFile(dir, intact.getFileName());
        ASSERT_EQ(whole.run.exitCode, 0) << whole.run.output;
        ASSERT_EQ(whole.out.audio.getNumSamples(), frames);

        const auto bytes = bytesOf(intact);
        const auto frameBytes = (size_t) format.bytesPerFrame;
        const auto header = bytes.getSize() - frames * frameBytes; // the sample data ends the file
        struct Cut
        {
            size_t bytesKept;
            int framesLeft;
        };
        const Cut cuts[] = {{header, 0},
                            {header + frameBytes / 2, 0},
                            {header + frameBytes, 1},
                            {header + 956 * frameBytes + frameBytes / 2, 956},
                            {header + (frames - 1) * frameBytes, frames - 1}};
        for (const auto& cut : cuts)
        {
            SCOPED_TRACE("cut after " + juce::String(cut.bytesKept) + " bytes");
            const auto damaged = intact.getSiblingFile("cut" + intact.getFileExtension());
            ASSERT_TRUE(damaged.replaceWithData(bytes.getData(), cut.bytesKept));
            const auto r = renderFile(dir, damaged.getFileName());
            if (cut.framesLeft == 0)
            {
                expectNothingRendered(r, dir, "no audio to render");
                continue;
            }

            ASSERT_EQ(r.run.exitCode, 0) << r.run.output;
            EXPECT_TRUE(r.run.output.contains("warning: " + damaged.getFullPathName() + " is cut short: "
                                              + juce::String(cut.framesLeft) + " of " + juce::String(frames)
                                              + " frames read"))
                << r.run.output;
            expectFramesOfWhole(r.out.audio, whole.out.audio, cut.framesLeft);

            // The figures are those of an intact file holding just the frames read.
            juce::AudioBuffer<float> prefix(format.channels, cut.framesLeft);
            for (int ch = 0; ch < format.channels; ++ch)
                prefix.copyFrom(ch, 0, source, ch, 0, cut.framesLeft);
            const auto shortFile = intact.getSiblingFile("short" + intact.getFileExtension());
            format.write(shortFile, prefix);
            const auto reference = renderFile(dir, shortFile.getFileName());
            ASSERT_EQ(reference.run.exitCode, 0) << reference.run.output;
            EXPECT_EQ(levelLines(r.run.output), levelLines(reference.run.output));
            EXPECT_FALSE(reference.run.output.contains("cut short"));
        }
    }
}

TEST_F(RenderTool, AHeaderClaimingMoreDataThanTheFileHoldsRendersWhatItHolds)
{
    constexpr int frames = 4800;
    const auto intact = dir.getChildFile("in.wav");
    writeWav(intact, testAudio(2, frames), 48000.0, 32); // 8 bytes a frame
    const auto whole = renderFile(dir, intact.getFileName());
    ASSERT_EQ(whole.run.exitCode, 0) << whole.run.output;
    const auto bytes = bytesOf(intact);

    auto hugeDataChunk = bytes;
    putUint32(hugeDataChunk, findChunk(bytes, "data") + 4, 0x7ffffff0u);
    struct Case
    {
        const char* description;
        juce::MemoryBlock file;
        juce::String declaredFrames; // empty: the header is refused
    };
    const Case cases[] = {
        {"data chunk of 2 GB", hugeDataChunk, juce::String(0x7ffffff0 / 8)},
        {"RF64 data chunk of 2^62 bytes", asRf64(bytes, (juce::int64) 1 << 62), juce::String((juce::int64) 1 << 59)},
        {"RF64 data chunk of a negative size", asRf64(bytes, -8), {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.description);
        const auto damaged = dir.getChildFile("damaged.wav");
        ASSERT_TRUE(damaged.replaceWithData(c.file.getData(), c.file.getSize()));
        const auto r = renderFile(dir, damaged.getFileName());
        if (c.declaredFrames.isEmpty())
        {
            expectNothingRendered(r, dir, "unsupported or unreadable");
            continue;
        }
        ASSERT_EQ(r.run.exitCode, 0) << r.run.output;
        EXPECT_TRUE(r.run.output.contains(damaged.getFullPathName() + " is cut short: " + juce::String(frames) + " of "
                                          + c.declaredFrames + " frames read"))
            << r.run.output;
        expectFramesOfWhole(r.out.audio, whole.out.audio, frames);
    }
}
