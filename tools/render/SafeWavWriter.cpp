#include "SafeWavWriter.h"

#include "RenderError.h"

SafeWavWriter::SafeWavWriter(const juce::File& target, double sampleRate, int channels, int bitsPerSample)
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

void SafeWavWriter::write(const juce::AudioBuffer<float>& buffer, int numSamples)
{
    if (!writer->writeFromAudioSampleBuffer(buffer, 0, numSamples))
        fail("writing " + temporary.getTargetFile().getFullPathName() + " failed");
}

void SafeWavWriter::commit()
{
    writer.reset(); // flushes and closes the stream
    if (!temporary.overwriteTargetFileWithTemporary())
        fail("cannot replace " + temporary.getTargetFile().getFullPathName());
}
