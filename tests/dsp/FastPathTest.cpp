// The block path (two passes, fast tanh and exp) against the plain per-sample transcription of the
// shaper (common/ReferenceShaper.h). Minutes of varied audio, mono and stereo, several sample rates and
// block sizes, with every parameter (mode, focus and power included) moving.

#include "common/ProcessorHarness.h"
#include "common/ReferenceShaper.h"
#include "dsp/FastMath.h"
#include "dsp/ShapingKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <string>

namespace
{
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

// Moves some parameters between blocks; long stretches stay put so ramps finish too. The
// quality stays Standard, whose path the reference writes out.
void moveParameters(TarvoltAudioProcessor& processor, juce::Random& random)
{
    if (random.nextInt(4) != 0)
        return;
    for (const auto& spec : parameterSpecs)
        if (random.nextInt(3) == 0 && juce::String(spec.id) != ParameterIDs::quality)
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
        reference::ReferenceShaper reference(c.sampleRate, processor.getState().getParameterValues());

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
            reference.process(b, c.channels, processor.getState().getParameterValues());
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

// Samples so large that they would overflow the focus filters lie far beyond the input ceiling:
// broken, they are silence, in the block path as in the per-sample definition, for every focus.
TEST_P(FastPath, BrokenSamplesAreSilenceLikeTheReference)
{
    for (int focus = 0; focus < 3; ++focus)
        for (int channels : {1, 2, 3}) // 3: two channels, linked
        {
            SCOPED_TRACE("focus " + std::to_string(focus) + ", " + std::to_string(channels) + " channel(s)");
            TarvoltAudioProcessor processor;
            harness::setPlain(processor, "focus", (float) focus);
            harness::setPlain(processor, "link", channels == 3 ? 1.0f : 0.0f);
            channels = std::min(channels, 2);
            harness::prepare(processor, channels, 48000.0);
            reference::ReferenceShaper reference(48000.0, processor.getState().getParameterValues());

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
                reference.process(b, channels, processor.getState().getParameterValues());
                processor.processBlock(a, midi);
            }

            for (int ch = 0; ch < channels; ++ch)
                for (int i = 0; i < input.getNumSamples(); ++i)
                {
                    ASSERT_TRUE(std::isfinite(fast.getSample(ch, i))) << "channel " << ch << " sample " << i;
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
