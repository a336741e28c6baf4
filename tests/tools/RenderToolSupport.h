#pragma once

// Running the built tarvolt-render as a user does, and the files around it.

#include "common/ProcessorHarness.h"
#include "state/PresetFolderIdentity.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

#include <functional>

namespace renderTool
{

struct Run
{
    int exitCode = -1;
    juce::String output; // the streams asked for, in the order written
};

inline Run runProcess(const juce::StringArray& command, int streams)
{
    Run r;
    juce::ChildProcess process;
    if (!process.start(command, streams))
        return r;
    r.output = process.readAllProcessOutput();
    if (process.waitForProcessToFinish(60000))
        r.exitCode = (int) process.getExitCode();
    return r;
}

// The tool with the arguments as one command line for /bin/sh.
inline juce::String shellCommandLine(const juce::StringArray& args)
{
    juce::StringArray quoted{juce::String(TARVOLT_RENDER_TOOL).quoted('\'')};
    for (auto& a : args)
        quoted.add(a.quoted('\''));
    return quoted.joinIntoString(" ");
}

// Runs `script` (the tool's command line, see shellCommandLine) with /bin/sh in `workingDirectory`.
inline Run runShell(const juce::String& script, const juce::File& workingDirectory,
                    int streams = juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr)
{
    return runProcess({"/bin/sh", "-c", "cd " + workingDirectory.getFullPathName().quoted('\'') + " && " + script},
                      streams);
}

// Runs the tool with the arguments, in `workingDirectory` when one is given.
inline Run run(const juce::StringArray& args, const juce::File& workingDirectory = {},
               int streams = juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr)
{
    // ChildProcess has no working-directory argument: go through the shell's cd.
    if (workingDirectory != juce::File())
        return runShell("exec " + shellCommandLine(args), workingDirectory, streams);

    juce::StringArray command{TARVOLT_RENDER_TOOL};
    command.addArray(args);
    return runProcess(command, streams);
}

// A run's standard output and standard error apart.
struct SplitRun
{
    int exitCode = -1;
    juce::String out, err;
};

// Runs the tool with the arguments in `workingDirectory`, its standard error caught in a file
// outside that folder.
inline SplitRun runSplit(const juce::StringArray& args, const juce::File& workingDirectory)
{
    juce::TemporaryFile errors;
    const auto r = runShell("exec " + shellCommandLine(args) + " 2>" + errors.getFile().getFullPathName().quoted('\''),
                            workingDirectory, juce::ChildProcess::wantStdOut);
    // Debug builds of the framework print its version first.
    const auto withoutBanner = [](const juce::String& text) {
        const auto banner = juce::SystemStats::getJUCEVersion() + "\n";
        return text.startsWith(banner) ? text.substring(banner.length()) : text;
    };
    return {r.exitCode, withoutBanner(r.output), withoutBanner(errors.getFile().loadFileAsString())};
}

// The lines of an output, without the framework's version banner of debug builds.
inline juce::StringArray outputLines(const juce::String& output)
{
    auto lines = juce::StringArray::fromLines(output.trimEnd());
    lines.removeString(juce::SystemStats::getJUCEVersion());
    return lines;
}

// The user preset folder below a --preset-root folder, relative to it.
inline juce::String userPresetFolderBelowRoot()
{
    const auto info = PresetFolderIdentity::tarvolt();
    return info.companyFolder + "/" + info.name + "/version_" + info.version + "/Presets";
}

// Puts a preset file where the tool, given --preset-root root, looks for user presets.
inline void writeUserPreset(const juce::File& root, const juce::String& fileName, const juce::String& content)
{
    const auto folder = root.getChildFile(userPresetFolderBelowRoot());
    ASSERT_TRUE(folder.createDirectory());
    ASSERT_TRUE(folder.getChildFile(fileName).replaceWithText(content, false, false, "\n"));
}

inline void writeAudio(juce::AudioFormat&& format, const juce::File& file, const juce::AudioBuffer<float>& audio,
                       double rate, int bits)
{
    file.deleteFile();
    auto stream = file.createOutputStream();
    ASSERT_NE(stream, nullptr);
    std::unique_ptr<juce::AudioFormatWriter> writer(
        format.createWriterFor(stream.get(), rate, (unsigned int) audio.getNumChannels(), bits, {}, 0));
    ASSERT_NE(writer, nullptr);
    stream.release();
    ASSERT_TRUE(writer->writeFromAudioSampleBuffer(audio, 0, audio.getNumSamples()));
}

inline void writeWav(const juce::File& file, const juce::AudioBuffer<float>& audio, double rate, int bits)
{
    writeAudio(juce::WavAudioFormat(), file, audio, rate, bits);
}

struct WavFile
{
    double rate = 0;
    int channels = 0, bits = 0;
    juce::AudioBuffer<float> audio;
};

// Reads a WAV or AIFF file (by its contents); empty when it is neither.
inline WavFile readWav(const juce::File& file)
{
    WavFile w;
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    std::unique_ptr<juce::AudioFormatReader> reader(formats.createReaderFor(file.createInputStream()));
    if (reader == nullptr)
        return w;
    w.rate = reader->sampleRate;
    w.channels = (int) reader->numChannels;
    w.bits = (int) reader->bitsPerSample;
    w.audio.setSize(w.channels, (int) reader->lengthInSamples);
    reader->read(&w.audio, 0, w.audio.getNumSamples(), 0, true, true);
    return w;
}

// What the tool should make of the audio: a processor set up by `configure`, run in blocks of
// the tool's default size.
inline juce::AudioBuffer<float> renderInProcess(juce::AudioBuffer<float> audio, double rate,
                                                const std::function<void(TarvoltAudioProcessor&)>& configure)
{
    TarvoltAudioProcessor processor;
    configure(processor);
    harness::prepare(processor, audio.getNumChannels(), rate, 512);
    harness::processInBlocks(processor, audio, 512);
    return audio;
}

inline float maxDifference(const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
        return std::numeric_limits<float>::infinity();
    float difference = 0.0f;
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int i = 0; i < a.getNumSamples(); ++i)
            difference = std::max(difference, std::abs(a.getSample(ch, i) - b.getSample(ch, i)));
    return difference;
}

} // namespace renderTool
