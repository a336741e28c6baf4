// tarvolt-render: runs Tarvolt's processor over a WAV file (or its built-in drum demo) and
// reports peak, RMS and crest factor per channel before and after.

#include "DemoSignal.h"
#include "RenderSettings.h"
#include "SignalStats.h"

#include "presets/FactoryPresets.h"
#include "processor/TarvoltAudioProcessor.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <iostream>
#include <optional>

namespace
{
constexpr int exitUsage = 2;

struct Options
{
    juce::File input;  // empty: render the demo
    juce::File output; // empty: derived from the input
    std::vector<ParameterSetting> settings;
    std::optional<juce::String> preset; // applied before the settings
    std::optional<juce::File> presetRoot; // stands in for the user's application-data folder
    bool listPresets = false;
    bool help = false;
    int blockSize = 512;
    bool quiet = false;
};

// An error in the arguments or the input: one line on stderr and exit code 2. Thrown rather
// than exiting on the spot, so that the processor and any temporary output file are taken
// down on the way out.
struct RenderError
{
    juce::String message;
};

[[noreturn]] void fail(const juce::String& message)
{
    throw RenderError{message};
}

void printUsage()
{
    std::cout << "usage: tarvolt-render [INPUT.wav] [-o OUTPUT.wav] [--preset NAME] [--set id=value]... [--block N]\n"
                 "                      [--quiet] [--preset-root DIR]\n"
                 "       tarvolt-render --list-presets [--preset-root DIR]\n"
                 "\n"
                 "Processes INPUT.wav (mono or stereo) with Tarvolt and writes OUTPUT.wav in the same format\n"
                 "(default: INPUT-tarvolt.wav). Without an input it renders a built-in drum demo to\n"
                 "tarvolt-demo.wav and writes the unprocessed demo to tarvolt-demo-dry.wav.\n"
                 "\n"
                 "  --preset NAME    start from a preset: a factory preset by its exact name, else the\n"
                 "                   user preset of that name; --set options apply on top of it\n"
                 "  --set id=value   a parameter in its own unit: attack=6 (dB), mix=50 (%),\n"
                 "                   mode=Tight|Punch|Smooth, focus=Low|Full|High, power=on|off\n"
                 "  --list-presets   print the factory preset names, then the user preset names\n"
                 "  --preset-root DIR  read user presets from DIR/OrvaneAudio/Tarvolt/version_1.0.0/Presets\n"
                 "                   instead of the user's application-data folder\n"
                 "  --block N        host block size (default 512)\n"
                 "  --quiet          no progress bar\n";
}

Options parseArguments(const juce::StringArray& args)
{
    Options options;
    for (int i = 0; i < args.size(); ++i)
    {
        const auto& arg = args[i];
        auto nextValue = [&]() -> juce::String {
            if (i + 1 >= args.size())
                fail(arg + " needs a value");
            return args[++i];
        };

        if (arg == "-h" || arg == "--help")
        {
            options.help = true;
            return options;
        }
        else if (arg == "-o" || arg == "--output")
            options.output = juce::File::getCurrentWorkingDirectory().getChildFile(nextValue());
        else if (arg == "--set")
        {
            juce::String error;
            const auto setting = parseParameterSetting(nextValue(), error);
            if (!setting)
                fail(error);
            options.settings.push_back(*setting);
        }
        else if (arg == "--preset")
            options.preset = nextValue();
        else if (arg == "--list-presets")
            options.listPresets = true;
        else if (arg == "--preset-root")
            options.presetRoot = juce::File::getCurrentWorkingDirectory().getChildFile(nextValue());
        else if (arg == "--block")
        {
            const auto text = nextValue();
            options.blockSize = text.getIntValue();
            if (!text.containsOnly("0123456789") || options.blockSize < 1 || options.blockSize > 65536)
                fail("block size must be 1 to 65536, got \"" + text + "\"");
        }
        else if (arg == "--quiet")
            options.quiet = true;
        else if (arg.startsWith("-") && arg != "-")
            fail("unknown option " + arg + " (see --help)");
        else if (options.input == juce::File())
            options.input = juce::File::getCurrentWorkingDirectory().getChildFile(arg);
        else
            fail("more than one input file given");
    }
    return options;
}

// Writes audio to a temporary file next to the target, which replaces the target only when
// everything was written: an interrupted render never leaves a partial file behind.
class SafeWavWriter
{
public:
    SafeWavWriter(const juce::File& target, double sampleRate, int channels, int bitsPerSample)
        : temporary(target, juce::TemporaryFile::useHiddenFile)
    {
        auto stream = temporary.getFile().createOutputStream();
        if (stream == nullptr)
            fail("cannot write " + target.getFullPathName());
        juce::WavAudioFormat wav;
        writer.reset(wav.createWriterFor(stream.get(), sampleRate, (unsigned int) channels, bitsPerSample, {}, 0));
        if (writer == nullptr)
            fail("cannot write a " + juce::String(bitsPerSample) + "-bit WAV with " + juce::String(channels)
                 + " channels");
        stream.release(); // the writer owns it now
    }

    void write(const juce::AudioBuffer<float>& buffer, int numSamples)
    {
        if (!writer->writeFromAudioSampleBuffer(buffer, 0, numSamples))
            fail("writing " + temporary.getTargetFile().getFullPathName() + " failed");
    }

    void commit()
    {
        writer.reset(); // flushes and closes the stream
        if (!temporary.overwriteTargetFileWithTemporary())
            fail("cannot replace " + temporary.getTargetFile().getFullPathName());
    }

private:
    juce::TemporaryFile temporary;
    std::unique_ptr<juce::AudioFormatWriter> writer;
};

class ProgressBar
{
public:
    ProgressBar(juce::int64 totalSamples, bool shouldShow) : total(totalSamples), enabled(shouldShow && totalSamples > 0)
    {
    }

    void update(juce::int64 done)
    {
        if (!enabled)
            return;
        const int percent = (int) (100 * done / total) / 5 * 5; // redrawn every 5 %
        if (percent == lastPercent)
            return;
        lastPercent = percent;
        const int filled = percent / 5;
        std::cerr << "\r[" << std::string((size_t) filled, '#') << std::string((size_t) (20 - filled), ' ') << "] "
                  << percent << "%" << std::flush;
        if (percent == 100)
            std::cerr << std::endl;
    }

private:
    juce::int64 total;
    bool enabled;
    int lastPercent = -1;
};

int countBeyondFullScale(const float* samples, int n)
{
    int count = 0;
    for (int i = 0; i < n; ++i)
        count += std::abs(samples[i]) > 1.0f ? 1 : 0;
    return count;
}

void usePresetRoot(TarvoltAudioProcessor& processor, const Options& options)
{
    if (options.presetRoot)
        processor.getPresetStore().setRootFolder(*options.presetRoot);
}

int listPresets(const Options& options)
{
    TarvoltAudioProcessor processor;
    usePresetRoot(processor, options);
    for (const auto& name : processor.getFactoryPresetNames())
        std::cout << name << "\n";
    for (const auto& name : processor.getUserPresetNames())
        std::cout << name << "\n";
    return 0;
}

// A factory preset by its exact name, else the user preset of that name.
void applyPreset(TarvoltAudioProcessor& processor, const juce::String& name)
{
    if (isFactoryPresetName(name))
    {
        processor.loadFactoryPreset(name);
        return;
    }
    if (processor.loadUserPreset(name))
        return;

    const auto file = processor.getPresetStore().getPresetFile(name);
    fail("no preset named \"" + name + "\": not a factory preset, and "
         + (file == juce::File() ? juce::String("there is no user preset folder")
                                 : "no readable user preset " + file.getFullPathName()));
}

void printStats(int channel, const SignalStats& in, const SignalStats& out)
{
    std::cout << "channel " << channel + 1 << ":  in  peak " << formatDbfs(in.peak()) << "  rms " << formatDbfs(in.rms())
              << "  crest " << juce::String(in.crestFactorDb(), 2) << " dB\n"
              << "            out peak " << formatDbfs(out.peak()) << "  rms " << formatDbfs(out.rms()) << "  crest "
              << juce::String(out.crestFactorDb(), 2) << " dB  (crest change "
              << juce::String(out.crestFactorDb() - in.crestFactorDb(), 2) << " dB)\n";
}

// The audio to process, from a file or from the demo generator.
struct Source
{
    std::unique_ptr<juce::AudioFormatReader> reader;
    juce::AudioBuffer<float> demo;
    double sampleRate = 48000.0;
    int channels = 2;
    int bitsPerSample = 32;
    juce::int64 length = 0;

    void read(juce::AudioBuffer<float>& dest, juce::int64 position, int numSamples)
    {
        if (reader != nullptr)
        {
            if (!reader->read(&dest, 0, numSamples, position, true, true))
                fail("reading the input failed at sample " + juce::String(position));
        }
        else
            for (int ch = 0; ch < channels; ++ch)
                dest.copyFrom(ch, 0, demo, ch, (int) position, numSamples);
    }
};

Source openSource(const Options& options)
{
    Source source;
    if (options.input == juce::File())
    {
        source.demo = makeDemoDrums(source.sampleRate, 8.0);
        source.length = source.demo.getNumSamples();
        return source;
    }

    if (!options.input.existsAsFile())
        fail("no such file: " + options.input.getFullPathName());
    auto stream = options.input.createInputStream();
    if (stream == nullptr)
        fail("cannot read " + options.input.getFullPathName());

    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    source.reader.reset(formats.createReaderFor(std::move(stream)));
    if (source.reader == nullptr)
        fail("unsupported or unreadable audio file: " + options.input.getFullPathName() + " (WAV or AIFF expected)");

    source.sampleRate = source.reader->sampleRate;
    source.channels = (int) source.reader->numChannels;
    source.bitsPerSample = (int) source.reader->bitsPerSample;
    source.length = source.reader->lengthInSamples;

    if (source.channels < 1 || source.channels > 2)
        fail("unsupported channel count " + juce::String(source.channels) + " (mono or stereo only)");
    if (!(source.sampleRate >= 1000.0 && source.sampleRate <= 768000.0))
        fail("unsupported sample rate " + juce::String(source.sampleRate));
    if (!juce::WavAudioFormat().getPossibleBitDepths().contains(source.bitsPerSample))
        fail("unsupported bit depth " + juce::String(source.bitsPerSample));
    return source;
}

juce::File defaultOutputFor(const Options& options)
{
    if (options.input == juce::File())
        return juce::File::getCurrentWorkingDirectory().getChildFile("tarvolt-demo.wav");
    return options.input.getSiblingFile(options.input.getFileNameWithoutExtension() + "-tarvolt.wav");
}

int run(const Options& options)
{
    auto source = openSource(options);
    const auto outputFile = options.output != juce::File() ? options.output : defaultOutputFor(options);
    if (outputFile == options.input)
        fail("the output would overwrite the input");

    TarvoltAudioProcessor processor;
    usePresetRoot(processor, options);
    if (options.preset)
        applyPreset(processor, *options.preset);
    applyParameterSettings(processor, options.settings);

    const auto set = source.channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    if (!processor.setBusesLayout(layout))
        fail("the processor refused a " + set.getDescription() + " layout");
    processor.setRateAndBufferSizeDetails(source.sampleRate, options.blockSize);
    processor.prepareToPlay(source.sampleRate, options.blockSize);

    SafeWavWriter writer(outputFile, source.sampleRate, source.channels, source.bitsPerSample);
    std::unique_ptr<SafeWavWriter> dryWriter;
    if (options.input == juce::File())
        dryWriter = std::make_unique<SafeWavWriter>(outputFile.getSiblingFile(outputFile.getFileNameWithoutExtension()
                                                                              + "-dry.wav"),
                                                    source.sampleRate, source.channels, source.bitsPerSample);

    std::vector<SignalStats> inStats((size_t) source.channels), outStats((size_t) source.channels);
    const bool integerOutput = source.bitsPerSample < 32;
    juce::int64 clippedSamples = 0;
    ProgressBar progress(source.length, !options.quiet && source.length > (juce::int64) (5.0 * source.sampleRate));

    juce::AudioBuffer<float> block(source.channels, options.blockSize);
    juce::MidiBuffer midi;
    for (juce::int64 position = 0; position < source.length; position += options.blockSize)
    {
        const int n = (int) std::min<juce::int64>(options.blockSize, source.length - position);
        juce::AudioBuffer<float> view(block.getArrayOfWritePointers(), source.channels, 0, n);
        source.read(view, position, n);

        for (int ch = 0; ch < source.channels; ++ch)
            inStats[(size_t) ch].add(view.getReadPointer(ch), n);
        if (dryWriter != nullptr)
            dryWriter->write(view, n);

        processor.processBlock(view, midi);

        for (int ch = 0; ch < source.channels; ++ch)
        {
            outStats[(size_t) ch].add(view.getReadPointer(ch), n);
            if (integerOutput)
                clippedSamples += countBeyondFullScale(view.getReadPointer(ch), n);
        }
        writer.write(view, n);
        progress.update(position + n);
    }

    source.reader.reset();
    writer.commit();
    if (dryWriter != nullptr)
        dryWriter->commit();

    std::cout << (options.input == juce::File() ? juce::String("demo (8 s of synthetic drums)")
                                                : options.input.getFullPathName())
              << " -> " << outputFile.getFullPathName() << "\n"
              << source.channels << " channel(s), " << source.sampleRate << " Hz, " << source.bitsPerSample
              << " bit, " << source.length << " samples\n";
    for (int ch = 0; ch < source.channels; ++ch)
        printStats(ch, inStats[(size_t) ch], outStats[(size_t) ch]);
    if (clippedSamples > 0)
        std::cout << "warning: " << clippedSamples << " samples clipped at full scale in the " << source.bitsPerSample
                  << "-bit output (lower output, or use a 32-bit float WAV)\n";
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    juce::ScopedJuceInitialiser_GUI framework; // the processor's parameters need a message manager
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add(juce::String::fromUTF8(argv[i]));
    try
    {
        const auto options = parseArguments(args);
        if (options.help)
        {
            printUsage();
            return 0;
        }
        return options.listPresets ? listPresets(options) : run(options);
    }
    catch (const RenderError& error)
    {
        std::cerr << "tarvolt-render: error: " << error.message << std::endl;
        return exitUsage;
    }
}
