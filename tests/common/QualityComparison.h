#pragma once

// Standard against High quality: the signals, a render lined up with its input, the output's
// sample peak and RMS, and the detector's transient amount sample by sample. Shared by the tests
// (tests/dsp/QualityMatchTest.cpp) and the bench program (bench/QualityBench.cpp).

#include "DemoSignal.h"
#include "dsp/EnvelopePass.h"
#include "dsp/TransientShaper.h"
#include "state/ShaperSettingsFrom.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace quality
{
using Settings = std::vector<std::pair<const char*, float>>;

inline ParameterValues valuesOf(Quality q, const Settings& settings)
{
    auto values = ParameterValues::defaults();
    for (const auto& [id, value] : settings)
        values.set(id, value);
    values.set(ParameterIDs::quality, (float)choiceIndex(q));
    return values;
}

inline float gainOf(float decibels)
{
    return juce::Decibels::decibelsToGain(decibels, -1000.0f);
}

// The render tool's demo drums (stereo), scaled by gainDb.
inline juce::AudioBuffer<float> drums(double sampleRate, float gainDb = 0.0f, double seconds = 8.0)
{
    auto buffer = makeDemoDrums(sampleRate, seconds);
    buffer.applyGain(gainOf(gainDb));
    return buffer;
}

// A signal of some seconds and channels, sample after sample (channel after channel) from next().
template <typename Next>
juce::AudioBuffer<float> signalOf(double sampleRate, double seconds, int channels, Next next)
{
    juce::AudioBuffer<float> buffer(channels, (int)(seconds * sampleRate));
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            buffer.setSample(ch, i, next());
    return buffer;
}

// White noise, independent in each channel: uniform between plus and minus a peak level, or
// Gaussian of an RMS level. (Between its samples uniform noise is Gaussian too: a detector that
// looks between the samples sees another signal than one that takes the samples alone.)
inline juce::AudioBuffer<float> uniformNoise(double sampleRate, float peakDb, double seconds = 4.0,
                                             int channels = 2)
{
    juce::Random random(20261223);
    const float peak = gainOf(peakDb);
    return signalOf(sampleRate, seconds, channels, [&] { return peak * (2.0f * random.nextFloat() - 1.0f); });
}

inline juce::AudioBuffer<float> gaussianNoise(double sampleRate, float rmsDb, double seconds = 4.0,
                                              int channels = 2)
{
    juce::Random random(20261224);
    const double rms = gainOf(rmsDb);
    return signalOf(sampleRate, seconds, channels,
                    [&]
                    {
                        const double u = 1.0 - random.nextDouble(),
                                     v = random.nextDouble(); // Box-Muller, u in (0, 1]
                        return (float)(rms * std::sqrt(-2.0 * std::log(u)) *
                                       std::cos(juce::MathConstants<double>::twoPi * v));
                    });
}

inline juce::AudioBuffer<float> sine(double sampleRate, double hz, float peakDb, double seconds = 2.0,
                                     int channels = 2)
{
    juce::AudioBuffer<float> buffer(channels, (int)(seconds * sampleRate));
    const float peak = gainOf(peakDb);
    for (int i = 0; i < buffer.getNumSamples(); ++i)
        for (int ch = 0; ch < channels; ++ch)
            buffer.setSample(
                ch, i, peak * (float)std::sin(juce::MathConstants<double>::twoPi * hz * i / sampleRate));
    return buffer;
}

// The input shaped at a quality, lined up with the input (High's latency taken off: the input is
// followed by that much silence, and the output's first samples are dropped).
inline juce::AudioBuffer<float> shaped(const juce::AudioBuffer<float>& input, double sampleRate,
                                       const ParameterValues& values, int blockSize = 512)
{
    const auto settings = shaperSettingsFrom(values);
    TransientShaper shaper;
    shaper.prepare(sampleRate, settings);
    const int latency = shaper.getLatency();
    const int channels = input.getNumChannels(), length = input.getNumSamples();
    juce::AudioBuffer<float> buffer(channels, length + latency);
    buffer.clear();
    for (int ch = 0; ch < channels; ++ch)
        buffer.copyFrom(ch, 0, input, ch, 0, length);
    juce::dsp::AudioBlock<float> block(buffer);
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        const int n = std::min(blockSize, buffer.getNumSamples() - start);
        shaper.process(block.getSubBlock((size_t)start, (size_t)n), settings);
    }
    juce::AudioBuffer<float> out(channels, length);
    for (int ch = 0; ch < channels; ++ch)
        out.copyFrom(ch, 0, buffer, ch, latency, length);
    return out;
}

inline float samplePeak(const juce::AudioBuffer<float>& buffer)
{
    float peak = 0.0f;
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        peak = std::max(peak, buffer.getMagnitude(ch, 0, buffer.getNumSamples()));
    return peak;
}

inline int samplesAbove(const juce::AudioBuffer<float>& buffer, float level)
{
    int count = 0;
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            count += std::abs(buffer.getSample(ch, i)) > level ? 1 : 0;
    return count;
}

// RMS over all channels, in dBFS.
inline double rmsDb(const juce::AudioBuffer<float>& buffer)
{
    double sum = 0.0;
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            sum += (double)buffer.getSample(ch, i) * buffer.getSample(ch, i);
    return 10.0 * std::log10(std::max(sum / (buffer.getNumChannels() * buffer.getNumSamples()), 1.0e-30));
}

// RMS of the input shaped at High minus at Standard, in dB.
inline double levelDifferenceDb(const juce::AudioBuffer<float>& input, double sampleRate,
                                const Settings& settings)
{
    return rmsDb(shaped(input, sampleRate, valuesOf(Quality::high, settings))) -
           rmsDb(shaped(input, sampleRate, valuesOf(Quality::standard, settings)));
}

// The transient amount of each sample of a mono signal, as the shaper's detector at a quality finds
// it (the pass TransientShaper runs before it shapes: envelopePass::run at Standard,
// OversampledPath::detect at High), with the default focus, mode and sensitivity. At High each
// amount belongs to the output latency samples later.
inline std::vector<float> transientAmounts(const std::vector<float>& signal, double sampleRate,
                                           Quality q)
{
    const auto settings = shaperSettingsFrom(ParameterValues::defaults());
    const auto c = shaper::EnvelopeCoefficients::forMode(settings.mode, sampleRate);
    const float sensitivity = settings[Control::sensitivity];

    DetectorState detector;
    for (auto& channel : detector.channels)
    {
        channel.lowBand = FocusFilter::lowBand(sampleRate);
        channel.highBand = FocusFilter::highBand(sampleRate);
    }
    OversampledPath path;
    path.prepare(sampleRate);
    std::vector<float> amounts;
    envelopePass::Stretch input{}, fast{}, slow{};
    for (size_t start = 0; start < signal.size(); start += ControlBlock::maxSamples)
    {
        const int n = (int)std::min(signal.size() - start, (size_t)ControlBlock::maxSamples);
        std::copy(signal.begin() + (long)start, signal.begin() + (long)start + n, input[0]);
        if (q == Quality::high)
            path.detect(settings.focus, settings.mode, false, 1, input, fast, slow, n, detector);
        else
            envelopePass::run(choiceIndex(settings.focus), false, 1, input, fast, slow, n, c, detector);
        for (int i = 0; i < n; ++i)
            amounts.push_back(
                shaper::transientFromEnvelopes(fast[0][i], slow[0][i], sensitivity, c.modeScale));
    }
    return amounts;
}

// How much a steady tone's transient amount moves once settled, over the second half of a
// two-second sine at -12 dBFS: `ripple` is the range of T sample by sample (the followers' ripple
// within each cycle included), `beat` the range of its average over each millisecond (the slow
// wobble that comes from where the samples fall on the tone's crests).
struct ToneTransients
{
    float ripple, beat, mean;
};

inline ToneTransients toneTransients(double sampleRate, double hz, Quality q)
{
    const auto tone = sine(sampleRate, hz, -12.0f, 2.0, 1);
    const auto T = transientAmounts({tone.getReadPointer(0), tone.getReadPointer(0) + tone.getNumSamples()},
                                    sampleRate, q);
    const size_t from = T.size() / 2, window = (size_t)std::lround(sampleRate / 1000.0);
    float lo = T[from], hi = T[from];
    double sum = 0.0, total = 0.0;
    float averageLo = 1.0f, averageHi = 0.0f;
    for (size_t i = from; i < T.size(); ++i)
    {
        lo = std::min(lo, T[i]);
        hi = std::max(hi, T[i]);
        total += T[i];
        sum += T[i];
        if (i >= from + window)
            sum -= T[i - window];
        if (i + 1 >= from + window)
        {
            averageLo = std::min(averageLo, (float)(sum / (double)window));
            averageHi = std::max(averageHi, (float)(sum / (double)window));
        }
    }
    return {hi - lo, averageHi - averageLo, (float)(total / (double)(T.size() - from))};
}
} // namespace quality
