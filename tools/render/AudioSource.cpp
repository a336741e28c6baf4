#include "AudioSource.h"

#include "DemoSignal.h"
#include "RenderError.h"

#include <cstring>

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

// The bits per sample a RIFF/RF64 WAV file's format chunk states, or 0 when there is none.
int bitsStatedInWavHeader(const juce::File& file)
{
    juce::FileInputStream in(file);
    if (!in.openedOk())
        return 0;
    char id[4];
    if (in.read(id, 4) != 4 || (std::memcmp(id, "RIFF", 4) != 0 && std::memcmp(id, "RF64", 4) != 0))
        return 0;
    in.skipNextBytes(8); // size and "WAVE"
    while (!in.isExhausted() && in.read(id, 4) == 4)
    {
        const auto size = (juce::uint32) in.readInt();
        if (std::memcmp(id, "fmt ", 4) == 0)
        {
            in.skipNextBytes(14); // format, channels, rate, bytes a second, block alignment
            return in.readShort();
        }
        in.skipNextBytes((juce::int64) size + (size & 1));
    }
    return 0;
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
    const auto path = file.getFullPathName();
    if (file.isDirectory())
        fail(path + " is a folder, not an audio file");
    if (!file.existsAsFile())
        fail("no such file: " + path);

    AudioSource source;
    source.file = file;
    juce::WavAudioFormat wav;
    juce::AiffAudioFormat aiff;
    juce::AudioFormat* format = nullptr;
    for (auto* candidate : std::initializer_list<juce::AudioFormat*>{&wav, &aiff})
    {
        auto stream = file.createInputStream();
        if (stream == nullptr)
            fail("cannot read " + path + (file.hasReadAccess() ? juce::String() : ": no permission to read it"));
        source.reader.reset(candidate->createReaderFor(stream.release(), true));
        if (source.reader != nullptr)
        {
            format = candidate;
            break;
        }
    }
    if (source.reader == nullptr && bitsStatedInWavHeader(file) == 64)
        fail(path + ": 64-bit float WAV is not supported (save it as 32-bit float)");
    if (source.reader == nullptr || source.reader->lengthInSamples < 0)
        fail("unsupported or unreadable audio file: " + path + " (WAV or AIFF expected)");

    source.rate = source.reader->sampleRate;
    source.numChannels = (int) source.reader->numChannels;
    source.bits = (int) source.reader->bitsPerSample;
    if (source.numChannels < 1 || source.numChannels > 2)
        fail(path + ": unsupported channel count " + juce::String(source.numChannels) + " (mono or stereo only)");
    if (!(source.rate >= minimumRate && source.rate <= maximumRate))
        fail(path + ": unsupported sample rate " + juce::String(source.rate) + " Hz (" + juce::String(minimumRate)
             + " to " + juce::String(maximumRate) + " Hz)");
    if (!wav.getPossibleBitDepths().contains(source.bits))
        fail(path + ": unsupported bit depth " + juce::String(source.bits) + " (8, 16, 24 or 32 bits)");

    source.declared = source.reader->lengthInSamples;
    source.available = source.declared > 0 ? framesPresent(*format, file, source.declared) : 0;
    if (source.available == 0)
        fail("no audio to render in " + path
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
        fail("reading " + file.getFullPathName() + " failed at sample " + juce::String(position));
}
