// The block path (two passes, fast tanh and exp) against a plain per-sample transcription of the
// shaper kept here: the framework's IIR filters, one juce::SmoothedValue per control stepped per
// sample, std:: math throughout. Minutes of varied audio, mono and stereo, several sample rates and
// block sizes, with every parameter (mode, focus and power included) moving.

#include "common/ProcessorHarness.h"
#include "processor/FastMath.h"
#include "processor/ShapingKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <string>

namespace
{
// The settings the reference takes, in the parameters' own units as the processor stores them.
struct Settings
{
    float power, mode, attack, sustain, sensitivity, focus, punch, clip, mix, output;

    static Settings read(TarvoltAudioProcessor& p)
    {
        auto v = [&p](const char* id) { return harness::getPlain(p, id); };
        return {v("power"), v("mode"),  v("attack"), v("sustain"), v("sensitivity"),
                v("focus"), v("punch"), v("clip"),   v("mix"),     v("output")};
    }
};

float gainOf(float decibels)
{
    return decibels > -100.0f ? std::pow(10.0f, decibels * 0.05f) : 0.0f;
}

float coefficientOf(float seconds, double sampleRate)
{
    return (float) std::exp(-1.0 / std::max((double) std::max(seconds, 1.0e-5f) * sampleRate, 1.0));
}

int choiceOf(float value)
{
    return std::clamp((int) std::round(value), 0, 2);
}

class ReferenceShaper
{
public:
    ReferenceShaper(double sampleRate, const Settings& initial) : rate(sampleRate)
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
    void process(juce::AudioBuffer<float>& buffer, int numChannels, const Settings& s)
    {
        const auto targets = targetsOf(s);
        for (size_t k = 0; k < 8; ++k)
            smoothed[k].setTargetValue(targets[k]);

        static constexpr float modes[3][5] = {{0.0006f, 0.014f, 0.016f, 0.12f, 1.1f},
                                              {0.0003f, 0.012f, 0.034f, 0.24f, 1.25f},
                                              {0.0012f, 0.03f, 0.045f, 0.32f, 0.86f}};
        const auto& m = modes[choiceOf(s.mode)];
        const int focus = choiceOf(s.focus);

        for (int i = 0; i < buffer.getNumSamples(); ++i)
        {
            float v[8];
            for (size_t k = 0; k < 8; ++k)
                v[k] = smoothed[k].getNextValue();
            const float attackDb = v[0], sustainDb = v[1], sensitivity = v[2], punch = v[3], clip = v[4], mix = v[5],
                        outputGain = v[6], power = v[7];

            for (int ch = 0; ch < numChannels; ++ch)
            {
                float x = buffer.getSample(ch, i);
                if (!std::isfinite(x))
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
                if (!std::isfinite(d))
                {
                    low[ch].reset();
                    high[ch].reset();
                    fast[ch] = slow[ch] = 0.0f;
                    d = 0.0f;
                }

                const float a = std::abs(d);
                const float cF = coefficientOf(a > fast[ch] ? m[0] : m[1], rate);
                const float cS = coefficientOf(a > slow[ch] ? m[2] : m[3], rate);
                fast[ch] = (fast[ch] - a) * cF + a;
                slow[ch] = (slow[ch] - a) * cS + a;

                float T = std::max(fast[ch] - 0.88f * slow[ch], 0.0f) / (fast[ch] + 0.0001f)
                          * (1.35f * sensitivity + 0.35f) * m[4];
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
    static std::array<float, 8> targetsOf(const Settings& s)
    {
        return {s.attack,      s.sustain,    s.sensitivity * 0.01f, s.punch * 0.01f,
                s.clip * 0.01f, s.mix * 0.01f, gainOf(s.output),     s.power >= 0.5f ? 1.0f : 0.0f};
    }

    double rate;
    juce::dsp::IIR::Filter<float> low[2], high[2];
    float fast[2]{}, slow[2]{};
    juce::SmoothedValue<float> smoothed[8];
};

// Varied programme material: drum hits of different colours, tones, noise beds, silence, steps
// and now and then a broken (non-finite) sample.
std::vector<float> variedSignal(int length, double sampleRate, juce::Random& random)
{
    std::vector<float> out((size_t) length, 0.0f);
    int i = 0;
    while (i < length)
    {
        const int segment = std::min(length - i, (int) (sampleRate * (0.05 + random.nextDouble() * 1.5)));
        const int kind = random.nextInt(6);
        const float level = (float) std::pow(10.0, -random.nextDouble() * 3.0); // 0 to -60 dB
        const float freq = 40.0f + random.nextFloat() * 6000.0f;
        const float decay = 0.002f + random.nextFloat() * 0.2f;
        for (int t = 0; t < segment; ++t, ++i)
        {
            const float time = (float) (t / sampleRate);
            const float noise = random.nextFloat() * 2.0f - 1.0f;
            const float tone = std::sin(juce::MathConstants<float>::twoPi * freq * time);
            float v = 0.0f;
            switch (kind)
            {
                case 0: v = noise * std::exp(-time / decay); break;                         // hit
                case 1: v = (0.7f * tone + 0.3f * noise) * std::exp(-time / decay); break;  // tom
                case 2: v = tone; break;                                                    // tone
                case 3: v = 0.3f * noise; break;                                            // bed
                case 4: v = (t / 4000) % 2 == 0 ? 0.8f : -0.4f; break;                      // steps
                default: break;                                                             // silence
            }
            out[(size_t) i] = level * v;
        }
    }
    const float broken[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    for (int k = 0; k < length / 200000; ++k)
        out[(size_t) random.nextInt(length)] = broken[random.nextInt(3)];
    return out;
}

// Moves some parameters between blocks; long stretches stay put so ramps finish too.
void moveParameters(TarvoltAudioProcessor& processor, juce::Random& random)
{
    if (random.nextInt(4) != 0)
        return;
    for (const auto& spec : parameterSpecs)
        if (random.nextInt(3) == 0)
            harness::setPlain(processor, spec.id,
                              spec.clampPlain(spec.minimum + random.nextFloat() * (spec.maximum - spec.minimum)));
}

struct Case
{
    int channels;
    double sampleRate;
    int seconds;
    std::vector<int> blockSizes; // cycled through
};
} // namespace

// Runs the check with each build of the shaping loop this machine can run, then returns to the best.
class FastPath : public ::testing::TestWithParam<shaping::InstructionSet>
{
protected:
    void SetUp() override
    {
        if (!shaping::use(GetParam()))
            GTEST_SKIP() << shaping::nameOf(GetParam()) << " is not supported here";
    }
    void TearDown() override { shaping::use(best); }

    const shaping::InstructionSet best = shaping::activeInstructionSet();
};

INSTANTIATE_TEST_SUITE_P(InstructionSets, FastPath,
                         ::testing::Values(shaping::InstructionSet::generic, shaping::InstructionSet::avx2,
                                           shaping::InstructionSet::avx512),
                         [](const auto& p) { return std::string(p.param == shaping::InstructionSet::generic
                                                                       ? "generic"
                                                                       : p.param == shaping::InstructionSet::avx2
                                                                             ? "avx2"
                                                                             : "avx512"); });

TEST_P(FastPath, MatchesThePerSampleReferenceOverMinutesOfMovingAudio)
{
    const Case cases[] = {
        {2, 48000.0, 40, {512}},
        {2, 44100.0, 30, {64, 1, 1000, 127, 4096}},
        {1, 96000.0, 30, {256, 33}},
        {2, 22050.0, 20, {2048, 129}},
        {1, 44100.0, 20, {480, 7}},
        {2, 192000.0, 15, {1024}},
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.channels) + " channel(s) at " + juce::String(c.sampleRate) + " Hz");
        juce::Random random(c.seconds * 7919 + c.channels);

        TarvoltAudioProcessor processor;
        moveParameters(processor, random);
        harness::prepare(processor, c.channels, c.sampleRate, 4096);
        ReferenceShaper reference(c.sampleRate, Settings::read(processor));

        const int length = (int) (c.sampleRate * c.seconds);
        juce::AudioBuffer<float> input(c.channels, length);
        for (int ch = 0; ch < c.channels; ++ch)
        {
            const auto signal = variedSignal(length, c.sampleRate, random);
            input.copyFrom(ch, 0, signal.data(), length);
        }
        auto fast = input, expected = input;

        juce::MidiBuffer midi;
        float largest = 0.0f;
        for (int start = 0, block = 0; start < length; ++block)
        {
            moveParameters(processor, random);
            const int n = std::min(c.blockSizes[(size_t) block % c.blockSizes.size()], length - start);
            juce::AudioBuffer<float> a(fast.getArrayOfWritePointers(), c.channels, start, n);
            juce::AudioBuffer<float> b(expected.getArrayOfWritePointers(), c.channels, start, n);
            reference.process(b, c.channels, Settings::read(processor));
            processor.processBlock(a, midi);
            start += n;
        }

        for (int ch = 0; ch < c.channels; ++ch)
            for (int i = 0; i < length; ++i)
            {
                const float got = fast.getSample(ch, i);
                ASSERT_TRUE(std::isfinite(got)) << "channel " << ch << " sample " << i;
                largest = std::max(largest, std::abs(got - expected.getSample(ch, i)));
            }
        EXPECT_LT(largest, 1.0e-5f);
        std::cout << "[          ] " << shaping::nameOf(GetParam()) << ", " << c.channels << " ch, " << c.sampleRate << " Hz, " << c.seconds
                  << " s: largest difference " << largest << std::endl;
    }
}

// Samples so large that the focus filters overflow: that channel's filters and envelopes start
// afresh, in the block path as in the per-sample definition, for every focus.
TEST_P(FastPath, FilterOverflowRestartsTheChannelLikeTheReference)
{
    for (int focus = 0; focus < 3; ++focus)
        for (int channels : {1, 2})
        {
            SCOPED_TRACE("focus " + std::to_string(focus) + ", " + std::to_string(channels) + " channel(s)");
            TarvoltAudioProcessor processor;
            harness::setPlain(processor, "focus", (float) focus);
            harness::prepare(processor, channels, 48000.0);
            ReferenceShaper reference(48000.0, Settings::read(processor));

            auto input = harness::makeBuffer(channels, harness::drumLikeSignal(24000, 5000, 3));
            const int burst = 9000;
            for (int i = burst; i < burst + 3; ++i)
                input.setSample(0, i, i % 2 == 0 ? 3.0e38f : -3.0e38f); // the first channel only
            auto fast = input, expected = input;

            juce::MidiBuffer midi;
            for (int start = 0; start < input.getNumSamples(); start += 480)
            {
                juce::AudioBuffer<float> a(fast.getArrayOfWritePointers(), channels, start, 480);
                juce::AudioBuffer<float> b(expected.getArrayOfWritePointers(), channels, start, 480);
                reference.process(b, channels, Settings::read(processor));
                processor.processBlock(a, midi);
            }

            for (int ch = 0; ch < channels; ++ch)
                for (int i = 0; i < input.getNumSamples(); ++i)
                {
                    ASSERT_TRUE(std::isfinite(fast.getSample(ch, i))) << "channel " << ch << " sample " << i;
                    if (ch == 0 && i >= burst && i < burst + 3)
                        continue; // the absurd samples themselves may overflow differently
                    ASSERT_NEAR(fast.getSample(ch, i), expected.getSample(ch, i), 1.0e-5f)
                        << "channel " << ch << " sample " << i;
                }
        }
}

TEST(FastMath, ApproximationsStayWithinTheirBounds)
{
    double tanhError = 0.0;
    for (double x = -20.0; x <= 20.0; x += 1.0e-4)
        tanhError = std::max(tanhError, std::abs((double) fastmath::tanh((float) x) - std::tanh((double) (float) x)));
    EXPECT_LT(tanhError, 5.0e-7);

    // The shaper asks for gains between -12 and +12 dB; the error grows with the exponent's size.
    struct Range
    {
        double from, to, bound;
    };
    for (const auto& r : {Range{-24.0, 24.0, 3.0e-7}, Range{-99.99, -24.0, 1.0e-6}})
    {
        double gainError = 0.0;
        for (double dB = r.from; dB <= r.to; dB += 1.0e-4)
        {
            const double exact = std::pow(10.0, (double) ((float) dB * 0.05f));
            gainError = std::max(gainError, std::abs(fastmath::decibelsToGain((float) dB) - exact) / exact);
        }
        EXPECT_LT(gainError, r.bound) << r.from << " to " << r.to << " dB";
    }
    EXPECT_EQ(fastmath::decibelsToGain(-100.0f), 0.0f);
    EXPECT_EQ(fastmath::decibelsToGain(-150.0f), 0.0f);
    EXPECT_EQ(fastmath::tanh(0.0f), 0.0f);
}
