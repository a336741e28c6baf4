#include "Render.h"

#include "AudioSource.h"
#include "ProgressBar.h"
#include "RenderError.h"
#include "RenderPresets.h"
#include "RenderReport.h"
#include "SafeWavWriter.h"

#include "processor/ShapingKernels.h"
#include "processor/TarvoltAudioProcessor.h"

#include <iostream>

namespace
{
juce::File defaultOutputFor(const Options& options)
{
    if (options.rendersDemo())
        return juce::File::getCurrentWorkingDirectory().getChildFile("tarvolt-demo.wav");
    return options.input.getSiblingFile(options.input.getFileNameWithoutExtension() + "-tarvolt.wav");
}

// Prepares the processor as a host would for the source's channels, rate and the block size.
void prepare(TarvoltAudioProcessor& processor, const AudioSource& source, int blockSize)
{
    const auto set = source.channels() == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    if (!processor.setBusesLayout(layout))
        fail("the processor refused a " + set.getDescription() + " layout");
    processor.setRateAndBufferSizeDetails(source.sampleRate(), blockSize);
    processor.prepareToPlay(source.sampleRate(), blockSize);
}

// Runs the kernels of the instruction set a developer named, when this processor supports it.
void useInstructionSet(const juce::String& name)
{
    for (auto set : {shaping::InstructionSet::generic, shaping::InstructionSet::avx2, shaping::InstructionSet::avx512})
        if (name.equalsIgnoreCase(juce::String(shaping::nameOf(set)).removeCharacters("-")))
        {
            if (!shaping::use(set))
                fail("this processor cannot run the " + juce::String(shaping::nameOf(set)) + " kernels");
            return;
        }
    fail("unknown instruction set \"" + name + "\" (generic, avx2 or avx512)");
}

std::unique_ptr<SafeWavWriter> writerFor(const juce::File& file, const AudioSource& source)
{
    return std::make_unique<SafeWavWriter>(file, source.sampleRate(), source.channels(), source.bitsPerSample());
}
} // namespace

int render(const Options& options)
{
    auto source = options.rendersDemo() ? AudioSource::demo() : AudioSource::open(options.input);
    const auto outputFile = options.output != juce::File() ? options.output : defaultOutputFor(options);
    if (outputFile == options.input)
        fail("the output would overwrite the input");

    if (options.instructionSet)
        useInstructionSet(*options.instructionSet);

    TarvoltAudioProcessor processor;
    usePresetRoot(processor, options);
    if (options.preset)
        applyPreset(processor, *options.preset);
    applyParameterSettings(processor, options.settings);
    prepare(processor, source, options.blockSize);

    const auto writer = writerFor(outputFile, source);
    const auto dryWriter = options.rendersDemo()
                               ? writerFor(outputFile.getSiblingFile(outputFile.getFileNameWithoutExtension() + "-dry.wav"),
                                           source)
                               : nullptr;

    const auto length = source.length();
    RenderReport report(source.channels(), source.bitsPerSample() < 32);
    ProgressBar progress(length, !options.quiet && length > (juce::int64) (5.0 * source.sampleRate()));

    // High quality delays the output: the first `latency` processed samples are dropped and as
    // many samples of silence follow the input, so the output lines up with the input.
    const int latency = processor.getLatencySamples();
    juce::AudioBuffer<float> block(source.channels(), options.blockSize);
    juce::MidiBuffer midi;
    juce::int64 written = 0;
    for (juce::int64 position = 0; written < length; position += options.blockSize)
    {
        const int n = options.blockSize;
        const int fromInput = (int) juce::jlimit<juce::int64>(0, n, length - position);
        block.clear();
        juce::AudioBuffer<float> input(block.getArrayOfWritePointers(), source.channels(), 0, fromInput);
        source.read(input, position, fromInput);
        report.addInput(input);
        if (dryWriter != nullptr)
            dryWriter->write(input, fromInput);

        processor.processBlock(block, midi);

        const int skip = (int) juce::jlimit<juce::int64>(0, n, latency - position);
        const int keep = (int) std::min<juce::int64>(n - skip, length - written);
        const juce::AudioBuffer<float> output(block.getArrayOfWritePointers(), source.channels(), skip, keep);
        report.addOutput(output);
        writer->write(output, keep);
        written += keep;
        progress.update(written);
    }

    source.close();
    writer->commit();
    if (dryWriter != nullptr)
        dryWriter->commit();

    std::cout << source.description() << " -> " << outputFile.getFullPathName() << "\n"
              << source.channels() << " channel(s), " << source.sampleRate() << " Hz, " << source.bitsPerSample()
              << " bit, " << length << " samples\n";
    report.printLevels(std::cout);
    report.printClipping(std::cout, source.bitsPerSample());
    if (source.isCutShort())
        std::cerr << "tarvolt-render: warning: input is cut short: " << length << " of " << source.declaredLength()
                  << " frames read; the output holds only those\n";
    return 0;
}
