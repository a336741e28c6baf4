#pragma once

// A host's bypass switched on and off while audio plays, and what the plug-in must sound like
// meanwhile: once the switch has ramped, the input delayed by exactly the reported latency; while
// it ramps, a crossfade between the shaped signal and that delayed input, no steeper than the
// power switch's; after it, the shaped signal as if the bypass had never been (nothing stale).
// Each plug-in format drives its own instance; the signal and the checks are the same.

#include "dsp/Choices.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace bypassRun
{
inline constexpr double sampleRate = 48000.0;
inline constexpr int blockSize = 500;
inline constexpr int length = 40000;
// Both switches fall on block boundaries, while a hit is still loud.
inline constexpr int bypassFrom = 10000;
inline constexpr int bypassUntil = 28500;
// The power switch's ramp.
inline constexpr int rampSamples = 960; // 20 ms at 48 kHz

// Decaying low sine hits, another frequency in each channel: smooth, so that a jump in the output
// stands out from the signal's own slope.
inline juce::AudioBuffer<float> hits()
{
    juce::AudioBuffer<float> audio(2, length);
    const double hertz[] = {90.0, 70.0};
    const int period = 9000;
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < length; ++i)
        {
            const double t = (double)(i % period) / sampleRate;
            audio.setSample(ch, i,
                            (float)(0.8 * std::exp(-t / 0.06) *
                                    std::sin(juce::MathConstants<double>::twoPi * hertz[ch] * t)));
        }
    return audio;
}

// Runs the input through in blocks. `process(block, off)` processes one block in place, where
// `off` tells whether the block lies where the switch is to be off (bypassed, or the power off).
template <typename Process>
juce::AudioBuffer<float> run(const juce::AudioBuffer<float>& input, Process&& process)
{
    auto audio = input;
    for (int start = 0; start < length; start += blockSize)
    {
        juce::AudioBuffer<float> block(audio.getArrayOfWritePointers(), audio.getNumChannels(), start,
                                       blockSize);
        process(block, start >= bypassFrom && start < bypassUntil);
    }
    return audio;
}

// How a run switches between the switch points.
enum class Switch
{
    bypass, // the host's bypass on
    power,  // the power parameter off instead
    none    // never
};

// What a run gave, and the latency the instance reported.
struct Run
{
    juce::AudioBuffer<float> output;
    int latency = -1;
};

// What the three runs of one kind of instance gave.
struct Outputs
{
    juce::AudioBuffer<float> bypassed, powerSwitched, through;
};

inline float largestStep(const juce::AudioBuffer<float>& audio, int from, int to)
{
    float largest = 0.0f;
    for (int ch = 0; ch < audio.getNumChannels(); ++ch)
        for (int i = std::max(1, from); i < to; ++i)
            largest = std::max(largest, std::abs(audio.getSample(ch, i) - audio.getSample(ch, i - 1)));
    return largest;
}

// The first sample in [from, to) of a channel for which `holds(i)` is false, or -1.
template <typename Holds> int firstFailure(int from, int to, Holds&& holds)
{
    for (int i = from; i < to; ++i)
        if (!holds(i))
            return i;
    return -1;
}

inline void expectBypassLikeThePowerSwitch(const juce::AudioBuffer<float>& input, const Outputs& out,
                                           int latency)
{
    const auto delayedInput = [&](int ch, int i)
    { return i >= latency ? input.getSample(ch, i - latency) : 0.0f; };

    for (int ch = 0; ch < input.getNumChannels(); ++ch)
    {
        SCOPED_TRACE("channel " + std::to_string(ch));
        // Bypassed, once ramped: the input, exactly as late as the host is told.
        const int notDelayedInput =
            firstFailure(bypassFrom + rampSamples, bypassUntil,
                         [&](int i) { return out.bypassed.getSample(ch, i) == delayedInput(ch, i); });
        EXPECT_EQ(notDelayedInput, -1)
            << "a bypassed sample that is not the input " << latency << " samples late";

        // Back, once ramped: what never-bypassed audio gives, so nothing held from before the
        // bypass plays.
        const int notAsNeverBypassed = firstFailure(
            bypassUntil + rampSamples, length,
            [&](int i) { return out.bypassed.getSample(ch, i) == out.through.getSample(ch, i); });
        EXPECT_EQ(notAsNeverBypassed, -1)
            << "a sample after the bypass that never-bypassed audio does not give";

        // While ramping either way: between the shaped signal and the delayed input.
        for (const int from : {bypassFrom, bypassUntil})
        {
            const int outsideTheCrossfade = firstFailure(
                from, from + rampSamples,
                [&](int i)
                {
                    const float dry = delayedInput(ch, i), shaped = out.through.getSample(ch, i);
                    const float y = out.bypassed.getSample(ch, i);
                    return y >= std::min(dry, shaped) - 1.0e-6f && y <= std::max(dry, shaped) + 1.0e-6f;
                });
            EXPECT_EQ(outsideTheCrossfade, -1)
                << "a sample outside the crossfade of the shaped signal and the delayed input, switching at "
                << from;
        }
    }

    // Either switch is as smooth as the power switch.
    for (const int from : {bypassFrom, bypassUntil})
    {
        const int to = from + rampSamples + latency + 1;
        EXPECT_LE(largestStep(out.bypassed, from - 1, to), largestStep(out.powerSwitched, from - 1, to))
            << "switching at sample " << from;
    }

    // The checks see a difference: around both switches the shaped signal is far from the input.
    for (const int from : {bypassFrom, bypassUntil})
    {
        float difference = 0.0f;
        for (int i = from; i < from + rampSamples; ++i)
            difference = std::max(difference, std::abs(out.through.getSample(0, i) - delayedInput(0, i)));
        EXPECT_GT(difference, 0.05f) << "at sample " << from;
    }
}
// At Standard and High quality: runs fresh instances each way with
// `runOnce(quality, Switch, input)`, which returns a Run, and checks what they gave; the
// latency reported is 0 at Standard and `highLatency` at High.
template <typename RunOnce>
void expectBypassLikeThePowerSwitchAtBothQualities(int highLatency, RunOnce&& runOnce)
{
    for (const Quality quality : {Quality::standard, Quality::high})
    {
        SCOPED_TRACE(quality == Quality::high ? "High" : "Standard");
        const auto input = hits();
        auto bypassed = runOnce(quality, Switch::bypass, input);
        auto powerSwitched = runOnce(quality, Switch::power, input);
        auto through = runOnce(quality, Switch::none, input);
        for (const auto* run : {&bypassed, &powerSwitched, &through})
        {
            ASSERT_EQ(run->output.getNumSamples(), length) << "an instance did not run";
            EXPECT_EQ(run->latency, quality == Quality::high ? highLatency : 0);
        }
        expectBypassLikeThePowerSwitch(input, {bypassed.output, powerSwitched.output, through.output},
                                       bypassed.latency);
    }
}
} // namespace bypassRun
