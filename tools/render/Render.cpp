#include "Render.h"

#include "AudioSource.h"
#include "BatchRender.h"
#include "ProgressBar.h"
#include "RenderError.h"
#include "RenderPresets.h"
#include "RenderReport.h"
#include "SafeAudioWriter.h"

#include "dsp/ShapingKernels.h"
#include "plugin/TarvoltAudioProcessor.h"

#include <iostream>
#include <sstream>

namespace
{
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

std::unique_ptr<SafeAudioWriter> writerFor(const juce::File& file, const AudioSource& source)
{
    return std::make_unique<SafeAudioWriter>(file, source.sampleRate(), source.channels(), source.bitsPerSample());
}
} // namespace

std::unique_ptr<TarvoltAudioProcessor> makeProcessor(const Options& options)
{
    auto processor = std::make_unique<TarvoltAudioProcessor>();
    auto& state = processor->getState();
    usePresetRoot(state, options);
    if (options.preset)
        applyPreset(state, *options.preset);
    applyParameterSettings(state, options.settings);
    return processor;
}

RenderResult renderJob(const RenderJob& job, TarvoltAudioProcessor& processor, int blockSize, bool progressBar)
{
    auto source = job.input == juce::File() ? AudioSource::demo() : AudioSource::open(job.input);
    prepare(processor, source, blockSize);

    const auto writer = writerFor(job.output, source);
    const auto dryWriter = job.dryOutput != juce::File() ? writerFor(job.dryOutput, source) : nullptr;

    const auto length = source.length();
    RenderReport report(source.channels(), !writer->isFloat());
    ProgressBar progress(length, progressBar && length > (juce::int64)(5.0 * source.sampleRate()));

    // High quality delays the output: the first `latency` processed samples are dropped and as
    // many samples of silence follow the input, so the output lines up with the input.
    const int latency = processor.getLatencySamples();
    juce::AudioBuffer<float> block(source.channels(), blockSize);
    juce::MidiBuffer midi;
    juce::int64 written = 0;
    for (juce::int64 position = 0; written < length; position += blockSize)
    {
        const int n = blockSize;
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

    RenderResult result;
    std::ostringstream text;
    text << source.description() << " -> " << job.output.getFullPathName() << "\n"
         << source.channels() << " channel(s), " << source.sampleRate() << " Hz, " << source.bitsPerSample() << " bit, "
         << length << " samples\n";
    report.printLevels(text);
    result.report = text.str();

    if (writer->bitsPerSample() < source.bitsPerSample())
        result.warnings.add(job.output.getFullPathName() + " holds " + juce::String(writer->bitsPerSample())
                            + "-bit samples: AIFF holds no more than 24 bits (write a .wav for 32-bit float)");
    const auto clipping = report.clippingWarning(writer->bitsPerSample());
    if (clipping.isNotEmpty())
        result.warnings.add(clipping + " " + job.output.getFullPathName()
                            + " (lower the output, or write a 32-bit float WAV)");
    if (source.isCutShort())
        result.warnings.add(source.description() + " is cut short: " + juce::String(length) + " of "
                            + juce::String(source.declaredLength()) + " frames read; the output holds only those");
    return result;
}

void printResult(const RenderResult& result)
{
    std::cout << result.report << std::flush;
    for (const auto& warning : result.warnings)
        std::cerr << "tarvolt-render: warning: " << warning << "\n";
    std::cerr << std::flush;
}

int render(const Options& options)
{
    if (options.instructionSet)
        useInstructionSet(*options.instructionSet);
    // A preset that cannot be loaded is an error in the arguments: found before a folder is made.
    auto processor = makeProcessor(options);
    const auto jobs = planJobs(options);
    if (jobs.size() > 1)
        return renderInParallel(jobs, options, std::move(processor));

    printResult(renderJob(jobs.front(), *processor, options.blockSize, !options.quiet));
    return 0;
}
