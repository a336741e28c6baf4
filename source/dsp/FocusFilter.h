#pragma once

#include <juce_dsp/juce_dsp.h>

// One second-order section of the focus band: the framework's coefficients, run in the same
// transposed direct form II and the same operation order as juce::dsp::IIR::Filter, so its
// output is identical sample for sample. Unlike the framework's filter it keeps its two state
// values in the open, which lets the block path run several filters side by side and hand the
// state back afterwards. Until coefficients are set it passes the signal unchanged.
struct FocusFilter
{
    // b0, b1, b2, a1, a2, normalised by a0 (the framework's raw layout for a biquad).
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    float s1 = 0.0f, s2 = 0.0f;

    void setCoefficients(const juce::dsp::IIR::Coefficients<float>& c) noexcept
    {
        jassert(c.getFilterOrder() == 2);
        const float* raw = c.getRawCoefficients();
        b0 = raw[0];
        b1 = raw[1];
        b2 = raw[2];
        a1 = raw[3];
        a2 = raw[4];
    }

    void reset() noexcept { s1 = s2 = 0.0f; }

    forcedinline float processSample(float x) noexcept
    {
        const float y = (b0 * x) + s1;
        s1 = (b1 * x) - (a1 * y) + s2;
        s2 = (b2 * x) - (a2 * y);
        return y;
    }

    // The focus bands at a sample rate: 220 Hz low-pass and 2400 Hz high-pass, Q = 1/sqrt(2).
    static FocusFilter lowBand(double sampleRate)
    {
        FocusFilter f;
        f.setCoefficients(*juce::dsp::IIR::Coefficients<float>::makeLowPass(sampleRate, cutoffFor(220.0f, sampleRate)));
        return f;
    }

    static FocusFilter highBand(double sampleRate)
    {
        FocusFilter f;
        f.setCoefficients(*juce::dsp::IIR::Coefficients<float>::makeHighPass(sampleRate, cutoffFor(2400.0f, sampleRate)));
        return f;
    }

    // A band's cut-off at a sample rate: as designed, but never above 45 % of the rate. The
    // design only gives a stable filter below half the rate; at common rates nothing changes.
    static float cutoffFor(float hertz, double sampleRate) noexcept
    {
        return (float) std::min((double) hertz, 0.45 * sampleRate);
    }
};
