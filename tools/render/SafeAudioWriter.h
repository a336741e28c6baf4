#pragma once

#include "InterruptCleanup.h"

#include <juce_audio_formats/juce_audio_formats.h>

// The file types the tool writes, named by the output's extension.
enum class OutputType
{
    wav,
    aiff
};

// The type of file an output's extension names (.wav; .aif or .aiff, in any case); fails with a
// RenderError for any other extension.
OutputType outputTypeFor(const juce::File& file);

// Fails with a RenderError that says why when `file` cannot be written: an extension the tool does
// not write, a folder of that name, a missing folder or one without write permission.
void checkOutputFile(const juce::File& file);

// Writes audio to a temporary file next to the target, which replaces the target only when
// everything was written: an interrupted render never leaves a partial file behind, not even
// when SIGINT or SIGTERM ends it. Fails with a RenderError.
class SafeAudioWriter
{
public:
    // The file holds the input's bits per sample, 32 as float; AIFF holds at most 24.
    SafeAudioWriter(const juce::File& target, double sampleRate, int channels, int bitsPerSample);

    int bitsPerSample() const noexcept { return bits; }
    bool isFloat() const noexcept { return bits == 32; }

    void write(const juce::AudioBuffer<float>& buffer, int numSamples);
    // Closes the file and moves it over the target.
    void commit();

private:
    juce::TemporaryFile temporary;
    RemovedOnInterrupt removedOnInterrupt;
    std::unique_ptr<juce::AudioFormatWriter> writer;
    int bits;
};
