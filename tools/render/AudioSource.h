#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

// The audio to render: a WAV or AIFF file, or the built-in drum demo.
class AudioSource
{
public:
    // Eight seconds of synthetic drums, stereo 32-bit float at 48 kHz.
    static AudioSource demo();
    // Fails with a RenderError when the file is missing, unreadable or in a format the tool
    // does not render.
    static AudioSource open(const juce::File& file);

    double sampleRate() const noexcept { return rate; }
    int channels() const noexcept { return numChannels; }
    int bitsPerSample() const noexcept { return bits; }
    // The frames there are to render.
    juce::int64 length() const noexcept { return available; }
    // The file name, or what the demo is.
    juce::String description() const;

    // Reads numSamples frames from `position` (within length()) into the start of `dest`.
    void read(juce::AudioBuffer<float>& dest, juce::int64 position, int numSamples);
    // Lets go of the input file.
    void close() { reader.reset(); }

private:
    AudioSource() = default;

    juce::File file; // empty for the demo
    std::unique_ptr<juce::AudioFormatReader> reader;
    juce::AudioBuffer<float> demoAudio;
    double rate = 48000.0;
    int numChannels = 2;
    int bits = 32;
    juce::int64 available = 0;
};
