#pragma once

#include "plugin/TarvoltAudioProcessor.h"
#include "state/ShaperSettingsFrom.h"
#include "state/ParameterHost.h"

#include <vector>

// Small helpers to drive a processor, or the plug-in's state alone, the way a host does.
namespace harness
{

inline void setPlain(PluginState& state, const juce::String& id, float plainValue)
{
    auto* parameter = state.parameters.getParameter(id);
    jassert(parameter != nullptr);
    parameter->setValueNotifyingHost(parameter->convertTo0to1(plainValue));
}

inline void setPlain(TarvoltAudioProcessor& processor, const juce::String& id, float plainValue)
{
    setPlain(processor.getState(), id, plainValue);
}

// Sets a choice parameter to a choice (Mode::smooth, Quality::high, ...).
template <typename Choice>
inline void setChoice(PluginState& state, Choice choice)
{
    setPlain(state, choiceParameterID<Choice>, (float) choiceIndex(choice));
}

template <typename Choice>
inline void setChoice(TarvoltAudioProcessor& processor, Choice choice)
{
    setChoice(processor.getState(), choice);
}

inline float getPlain(const PluginState& state, const juce::String& id)
{
    return state.parameters.getRawParameterValue(id)->load();
}

inline float getPlain(const TarvoltAudioProcessor& processor, const juce::String& id)
{
    return getPlain(processor.getState(), id);
}

// Prepares the processor for the given channel count (mono or stereo) and rate.
inline void prepare(TarvoltAudioProcessor& processor, int channels, double sampleRate, int blockSize = 512)
{
    const auto set = channels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    processor.setBusesLayout(layout);
    processor.setRateAndBufferSizeDetails(sampleRate, blockSize);
    processor.prepareToPlay(sampleRate, blockSize);
}

// Processes the buffer in place in blocks of at most blockSize samples.
inline void processInBlocks(TarvoltAudioProcessor& processor, juce::AudioBuffer<float>& buffer, int blockSize)
{
    juce::MidiBuffer midi;
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        const int len = std::min(blockSize, buffer.getNumSamples() - start);
        juce::AudioBuffer<float> view(buffer.getArrayOfWritePointers(), buffer.getNumChannels(), start, len);
        processor.processBlock(view, midi);
    }
}

// Shapes a signal in place with a shaper, in blocks of at most blockSize samples, all with the
// same settings.
inline void shapeInBlocks(TransientShaper& shaper, juce::AudioBuffer<float>& buffer, const ParameterValues& settings,
                          int blockSize = 512)
{
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        const int len = std::min(blockSize, buffer.getNumSamples() - start);
        shaper.process(juce::dsp::AudioBlock<float>(buffer).getSubBlock((size_t) start, (size_t) len),
                       shaperSettingsFrom(settings));
    }
}

// A buffer holding the same samples in every channel.
inline juce::AudioBuffer<float> makeBuffer(int channels, const std::vector<float>& samples)
{
    juce::AudioBuffer<float> buffer(channels, (int) samples.size());
    for (int ch = 0; ch < channels; ++ch)
        for (size_t i = 0; i < samples.size(); ++i)
            buffer.setSample(ch, (int) i, samples[i]);
    return buffer;
}

// Reproducible test signal: decaying noise bursts every `period` samples over a quiet bed.
inline std::vector<float> drumLikeSignal(int length, int period, unsigned seed = 1)
{
    juce::Random random((juce::int64) seed);
    std::vector<float> out((size_t) length);
    for (int i = 0; i < length; ++i)
    {
        const int t = i % period;
        const float env = std::exp(-(float) t / (0.012f * 48000.0f)) + 0.05f;
        out[(size_t) i] = (random.nextFloat() * 2.0f - 1.0f) * 0.8f * env;
    }
    return out;
}

} // namespace harness
