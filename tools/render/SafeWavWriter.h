#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

// Writes audio to a temporary file next to the target, which replaces the target only when
// everything was written: an interrupted render never leaves a partial file behind. Fails with
// a RenderError.
class SafeWavWriter
{
public:
    SafeWavWriter(const juce::File& target, double sampleRate, int channels, int bitsPerSample);

    void write(const juce::AudioBuffer<float>& buffer, int numSamples);
    // Closes the file and moves it over the target.
    void commit();

private:
    juce::TemporaryFile temporary;
    std::unique_ptr<juce::AudioFormatWriter> writer;
};
