#include "AudioSource.h"

#include "DemoSignal.h"
#include "RenderError.h"

namespace
{
// How many of the `declared` frames the file really holds. The framework's readers fill what
// lies beyond the end of the file with zeros and still report success, so the count comes from
// mapping the sample data instead: the mapping ends where the file ends. No file holds more
// frames than it has bytes, and the format checks keep a frame to a few bytes, so the byte
// positions stay in range whatever the header claims.
juce::int64 framesPresent(juce::AudioFormat& format, const juce::File& file, juce::int64 declared)
{
    std::unique_ptr<juce::MemoryMappedAudioFormatReader> mapped(format.createMemoryMappedReader(file));
    if (mapped == nullptr || !mapped->mapSectionOfFile({0, std::min(declared, file.getSize())}))
        return 0;
    return juce::jlimit<juce::int64>(0, declared, mapped->getMappedSection().getEnd());
}
} // namespace

AudioSource AudioSource::demo()
{
    AudioSource source;
    source.demoAudio = makeDemoDrums(source.rate, 8.0);
    source.available = source.declared = source.demoAudio.getNumSamples();
    return source;
}

AudioSource AudioSource::open(const juce::File& file)
{
    if (!file.existsAsFile())
        fail("no such file: " + file.getFullPathName());

    AudioSource source;
    source.file = file;
    juce::WavAudioFormat wav;
    juce::AiffAudioFormat aiff;
    juce::AudioFormat* format = nullptr;
    for (auto* candidate : std::initializer_list<juce::AudioFormat*>{&wav, &aiff})
    {
        auto stream = file.createInputStream();
        if (stream == nullptr)
            fail("cannot read " + file.getFullPathName());
        source.reader.reset(candidate->createReaderFor(stream.release(), true));
        if (source.reader != nullptr)
        {
            format = candidate;
            break;
        }
    }
    if (source.reader == nullptr || source.reader->lengthInSamples < 0)
        fail("unsupported or unreadable audio file: " + file.getFullPathName() + " (WAV or AIFF expected)");

    source.rate = source.reader->sampleRate;
    source.numChannels = (int) source.reader->numChannels;
    source.bits = (int) source.reader->bitsPerSample;
    if (source.numChannels < 1 || source.numChannels > 2)
        fail("unsupported channel count " + juce::String(source.numChannels) + " (mono or stereo only)");
    if (!(source.rate >= 1000.0 && source.rate <= 768000.0))
        fail("unsupported sample rate " + juce::String(source.rate));
    if (!wav.getPossibleBitDepths().contains(source.bits))
        fail("unsupported bit depth " + juce::String(source.bits));

    source.declared = source.reader->lengthInSamples;
    source.available = source.declared > 0 ? framesPresent(*format, file, source.declared) : 0;
    if (source.available == 0)
        fail("no audio to render in " + file.getFullPathName()
             + (source.declared > 0 ? ": its header declares " + juce::String(source.declared)
                                          + " frames, but the file ends before the first"
                                    : juce::String(": it holds no frames")));
    return source;
}

juce::String AudioSource::description() const
{
    return file == juce::File() ? juce::String("demo (8 s of synthetic drums)") : file.getFullPathName();
}

void AudioSource::read(juce::AudioBuffer<float>& dest, juce::int64 position, int numSamples)
{
    if (file == juce::File())
    {
        for (int ch = 0; ch < numChannels; ++ch)
            dest.copyFrom(ch, 0, demoAudio, ch, (int) position, numSamples);
        return;
    }
    jassert(reader != nullptr);
    if (!reader->read(&dest, 0, numSamples, position, true, true))
        fail("reading the input failed at sample " + juce::String(position));
}
