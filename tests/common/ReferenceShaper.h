#pragma once

// The shaper as a plain per-sample transcription of its definition, for checking the block path.

#include "state/ParameterValues.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace reference
{
inline float gainOf(float decibels)
{
    return decibels > -100.0f ? std::pow(10.0f, decibels * 0.05f) : 0.0f;
}

inline float coefficientOf(float seconds, double sampleRate)
{
    return (float) std::exp(-1.0 / std::max((double) std::max(seconds, 1.0e-5f) * sampleRate, 1.0));
}

inline int choiceOf(float value)
{
    return std::clamp((int) std::round(value), 0, 2);
}

// The shaper at Standard quality sample by sample, written out plainly from its definition: the
// framework's IIR filters, one juce::SmoothedValue per control stepped per sample, std:: math
// throughout. The settings are the parameters' plain values, read once per block. With the stereo
// link on, a linked pair of followers takes the larger rectified detection signal of the two
// channels and both channels use its envelopes; each channel's own followers run on all the
// while. Switching the link on starts the linked pair from the larger of the channels' fast and
// the larger of their slow envelopes.
class ReferenceShaper
{
public:
    ReferenceShaper(double sampleRate, const ParameterValues& initial) : rate(sampleRate)
    {
        for (int ch = 0; ch < 2; ++ch)
        {
            low[ch].coefficients = juce::dsp::IIR::Coefficients<float>::makeLowPass(rate, 220.0f);
            high[ch].coefficients = juce::dsp::IIR::Coefficients<float>::makeHighPass(rate, 2400.0f);
            low[ch].reset();
            high[ch].reset();
        }
        const double ramps[] = {0.02, 0.02, 0.03, 0.03, 0.03, 0.03, 0.02, 0.02};
        const auto targets = targetsOf(initial);
        for (size_t k = 0; k < 8; ++k)
        {
            smoothed[k].reset(rate, ramps[k]);
            smoothed[k].setCurrentAndTargetValue(targets[k]);
        }
    }

    // One block, channels processed in place, with the settings read at its start.
    void process(juce::AudioBuffer<float>& buffer, int numChannels, const ParameterValues& s)
    {
        const auto targets = targetsOf(s);
        for (size_t k = 0; k < 8; ++k)
            smoothed[k].setTargetValue(targets[k]);

        static constexpr float modes[3][5] = {{0.0006f, 0.014f, 0.016f, 0.12f, 1.1f},
                                              {0.0003f, 0.012f, 0.034f, 0.24f, 1.25f},
                                              {0.0012f, 0.03f, 0.045f, 0.32f, 0.86f}};
        const auto& m = modes[choiceOf(s.get("mode"))];
        const int focus = choiceOf(s.get("focus"));
        const bool linked = numChannels == 2 && s.get("link") >= 0.5f;
        if (linked && !wasLinked)
        {
            linkedFast = std::max(fast[0], fast[1]);
            linkedSlow = std::max(slow[0], slow[1]);
        }
        wasLinked = linked;

        // One follower step of a pair of envelopes toward a rectified value.
        const auto follow = [&](float a, float& f, float& sl) {
            const float cF = coefficientOf(a > f ? m[0] : m[1], rate);
            const float cS = coefficientOf(a > sl ? m[2] : m[3], rate);
            f = (f - a) * cF + a;
            sl = (sl - a) * cS + a;
        };

        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            float v[8];
            for (size_t k = 0; k < 8; ++k)
                v[k] = smoothed[k].getNextValue();
            const float attackDb = v[0], sustainDb = v[1], sensitivity = v[2], punch = v[3], clip = v[4], mix = v[5],
                        outputGain = v[6], power = v[7];

            float xs[2]{}, rectified[2]{};
            for (int ch = 0; ch < numChannels; ++ch)
            {
                float x = buffer.getSample(ch, i);
                if (!(std::abs(x) <= 1000.0f)) // broken: beyond +60 dBFS, or not a number
                    x = 0.0f;

                float d;
                if (focus == 0)
                    d = low[ch].processSample(x);
                else if (focus == 2)
                    d = high[ch].processSample(x);
                else
                {
                    const float l = low[ch].processSample(x);
                    const float h = high[ch].processSample(x);
                    d = 0.25f * h + (0.2f * (x - l) + 0.55f * x);
                }
                xs[ch] = x;
                rectified[ch] = std::abs(d);
            }
            for (int ch = 0; ch < numChannels; ++ch)
                follow(rectified[ch], fast[ch], slow[ch]);
            if (linked)
                follow(std::max(rectified[0], rectified[1]), linkedFast, linkedSlow);

            for (int ch = 0; ch < numChannels; ++ch)
            {
                const float x = xs[ch];
                const float f = linked ? linkedFast : fast[ch], sl = linked ? linkedSlow : slow[ch];
                float T = std::max(f - 0.88f * sl, 0.0f) / (f + 0.0001f) * (1.35f * sensitivity + 0.35f) * m[4];
                T = std::clamp(T, 0.0f, 1.0f);
                const float W = std::clamp(1.0f - (0.78f - 0.08f * punch) * T, 0.0f, 1.0f);
                const float gA = gainOf(T * attackDb);
                const float gS = gainOf(W * sustainDb);
                const float p = T * x;
                const float D = 1.0f + 3.2f * T * punch;
                const float sat = std::tanh(D * p) / std::max(std::tanh(D), 0.001f);
                float y = (sat - p) * (0.35f * punch + 0.35f) + (gS * (x - p) + gA * p);
                if (clip > 0.0001f)
                {
                    const float K = 1.0f + 4.0f * clip;
                    y = y + (std::tanh(K * y) / std::max(std::tanh(K), 0.001f) - y) * clip;
                }
                const float result = (y * outputGain - x) * mix + x;
                float out = (result - x) * power + x;
                if (!std::isfinite(out))
                    out = 0.0f;
                buffer.setSample(ch, i, out);
            }
        }
    }

private:
    static std::array<float, 8> targetsOf(const ParameterValues& s)
    {
        return {s.get("attack"),         s.get("sustain"),       s.get("sensitivity") * 0.01f,
                s.get("punch") * 0.01f,  s.get("clip") * 0.01f, s.get("mix") * 0.01f,
                gainOf(s.get("output")), s.get("power") >= 0.5f ? 1.0f : 0.0f};
    }

    double rate;
    juce::dsp::IIR::Filter<float> low[2], high[2];
    float fast[2]{}, slow[2]{};
    float linkedFast = 0.0f, linkedSlow = 0.0f;
    bool wasLinked = false;
    juce::SmoothedValue<float> smoothed[8];
};

} // namespace reference
