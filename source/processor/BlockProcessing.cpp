#include "processor/LevelMeter.h"
#include "processor/TarvoltAudioProcessor.h"

void TarvoltAudioProcessor::prepareToPlay(double sampleRate, int)
{
    // A host that reports no usable rate keeps the one we had (44100 before the first prepare).
    if (std::isfinite(sampleRate) && sampleRate > 0.0)
        currentSampleRate = sampleRate;

    for (int ch = 0; ch < 2; ++ch)
    {
        lowFocusFilters[ch] = FocusFilter::lowBand(currentSampleRate);
        highFocusFilters[ch] = FocusFilter::highBand(currentSampleRate);
    }

    resetShaperState();

    smoothers.reset(currentSampleRate);
    smoothers.setTargets(readSmootherTargets(), true);
}

void TarvoltAudioProcessor::releaseResources()
{
}

void TarvoltAudioProcessor::resetShaperState() noexcept
{
    for (int ch = 0; ch < 2; ++ch)
    {
        lowFocusFilters[ch].reset();
        highFocusFilters[ch].reset();
        fastEnvelope[ch] = 0.0f;
        slowEnvelope[ch] = 0.0f;
    }
}

ParameterSmoothers::Targets TarvoltAudioProcessor::readSmootherTargets() const noexcept
{
    ParameterSmoothers::Targets t{};
    t.controls.attackDb = readRaw(raw.attack);
    t.controls.sustainDb = readRaw(raw.sustain);
    t.controls.sensitivity = readRaw(raw.sensitivity) * 0.01f;
    t.controls.punch = readRaw(raw.punch) * 0.01f;
    t.controls.clip = readRaw(raw.clip) * 0.01f;
    t.controls.mix = readRaw(raw.mix) * 0.01f;
    t.controls.outputGain = juce::Decibels::decibelsToGain(readRaw(raw.output));
    t.power = isPowerOn() ? 1.0f : 0.0f;
    return t;
}

float TarvoltAudioProcessor::processSample(float x, int channel, float attackDb, float sustainDb, float sensitivity,
                                           float punch, float clip, float mix, float outputGain, int focus,
                                           int mode) noexcept
{
    const int ch = juce::jlimit(0, 1, channel);
    const auto coefficients = shaper::EnvelopeCoefficients::forMode(mode, currentSampleRate);
    const shaper::Controls controls{attackDb, sustainDb, sensitivity, punch, clip, mix, outputGain};

    const float d = shaper::detectionSignal(x, focus, lowFocusFilters[ch], highFocusFilters[ch]);
    const float T = shaper::transientAmount(d, fastEnvelope[ch], slowEnvelope[ch], coefficients, sensitivity);
    return shaper::shapeSample(x, T, controls);
}

void TarvoltAudioProcessor::processBlock(juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    juce::ScopedNoDenormals noDenormals;

    const int numIn = getTotalNumInputChannels();
    const int numOut = getTotalNumOutputChannels();
    const int n = buffer.getNumSamples();

    for (int ch = numIn; ch < std::min(numOut, buffer.getNumChannels()); ++ch)
        buffer.clear(ch, 0, n);

    smoothers.setTargets(readSmootherTargets(), false);
    const int focus = getFocusIndex();
    const auto coefficients = shaper::EnvelopeCoefficients::forMode(getModeIndex(), currentSampleRate);

    const int numChannels = std::min({numIn, buffer.getNumChannels(), 2});
    BlockShaper::Peaks peaks;
    blockShaper.process(buffer.getArrayOfWritePointers(), numChannels, n, focus, coefficients, smoothers,
                        {lowFocusFilters, highFocusFilters, fastEnvelope, slowEnvelope}, peaks);

    // The meter mapping is monotonic, so mapping the peak magnitude gives the block's largest position.
    for (int ch = 0; ch < 2; ++ch)
    {
        updateMeterLevel(inputLevels[ch], meterPosition(peaks.input[ch]));
        updateMeterLevel(outputLevels[ch], meterPosition(peaks.output[ch]));
    }
}
