#include "plugin/TarvoltAudioProcessor.h"
#include "state/ShaperSettingsFrom.h"

void TarvoltAudioProcessor::prepareToPlay(double sampleRate, int)
{
    shaper.prepare(sampleRate, shaperSettingsFrom(state.getParameterValues()));
    liveFeed.prepare(shaper.getSampleRate());
}

void TarvoltAudioProcessor::releaseResources()
{
}

void TarvoltAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    shapeBlock(buffer, shaperSettingsFrom(state.getParameterValues()));
}

void TarvoltAudioProcessor::processBlockBypassed(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    shapeBlock(buffer, shaperSettingsFrom(state.getParameterValues()).bypassed());
}

void TarvoltAudioProcessor::shapeBlock(juce::AudioBuffer<float>& buffer, const ShaperSettings& settings) noexcept
{
    juce::ScopedNoDenormals noDenormals;

    const int numIn = getTotalNumInputChannels();
    const int numOut = getTotalNumOutputChannels();
    const int n = buffer.getNumSamples();

    for (int ch = numIn; ch < std::min(numOut, buffer.getNumChannels()); ++ch)
        buffer.clear(ch, 0, n);

    const auto numChannels = (size_t) std::min({numIn, buffer.getNumChannels(), 2});
    const juce::dsp::AudioBlock<float> block(buffer.getArrayOfWritePointers(), numChannels, (size_t) n);
    // The live view's feed only runs while an editor shows it.
    const bool feeding = liveFeed.beginBlock();
    shaper.setLiveFeed(feeding ? &liveFeed : nullptr);
    const auto peaks = shaper.process(block, settings);
    if (feeding)
        liveFeed.endBlock();

    meters.publishBlock(peaks.input, peaks.output);
}
