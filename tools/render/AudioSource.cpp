#include "AudioSource.h"

#include "DemoSignal.h"
#include "RenderError.h"

AudioSource AudioSource::demo()
{
    AudioSource source;
    source.demoAudio = makeDemoDrums(source.rate, 8.0);
    source.available = source.demoAudio.getNumSamples();
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
    for (auto* candidate : std::initializer_list<juce::AudioFormat*>{&wav, &aiff})
    {
        auto stream = file.createInputStream();
        if (stream == nullptr)
            fail("cannot read " + file.getFullPathName());
        source.reader.reset(candidate->createReaderFor(stream.release(), true));
        if (source.reader != nullptr)
            break;
    }
    if (source.reader == nullptr)
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

    source.available = source.reader->lengthInSamples;
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
