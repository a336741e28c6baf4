#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

// The audio to render: a WAV or AIFF file, or the built-in drum demo.
//
// A file's header says how many frames it holds; a damaged file can end before that. The
// source counts the frames the file really holds and offers only those (length()), so a cut
// file is rendered as far as it goes instead of being padded with silence.
class AudioSource
{
public:
    // The sample rates the tool renders.
    static constexpr double minimumRate = 1000.0, maximumRate = 768000.0;

    // Eight seconds of synthetic drums, stereo 32-bit float at 48 kHz.
    static AudioSource demo();
    // Fails with a RenderError when the file is missing, unreadable, in a format the tool does
    // not render, or holds not one frame.
    static AudioSource open(const juce::File& file);

    double sampleRate() const noexcept { return rate; }
    int channels() const noexcept { return numChannels; }
    int bitsPerSample() const noexcept { return bits; }
    // The frames there are to render.
    juce::int64 length() const noexcept { return available; }
    // The frames the file's header declares: more than length() when the file is cut short.
    juce::int64 declaredLength() const noexcept { return declared; }
    bool isCutShort() const noexcept { return available < declared; }
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
    juce::int64 declared = 0;
};
