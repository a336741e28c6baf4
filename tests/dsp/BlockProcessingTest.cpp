#include "common/ProcessorHarness.h"
#include "common/ReferenceShaper.h"
#include "dsp/LevelMeters.h"

#include <gtest/gtest.h>

namespace
{
// The block path uses approximations of tanh and of the decibel gain (see FastPathTest).
constexpr float blockPathTolerance = 1.0e-5f;

constexpr auto attack = (size_t) Control::attackDb;
constexpr auto mix = (size_t) Control::mix;
} // namespace

TEST(ControlRamps, AttackRampsOver882SamplesAt44100InEqualStepsAcrossBlocks)
{
    ControlRamps smoothers;
    smoothers.reset(44100.0);
    auto settings = ParameterValues::defaults().set(ParameterIDs::attack, 0.0f);
    smoothers.setTargets(shaperSettingsFrom(settings).targets, true);

    const auto t = shaperSettingsFrom(settings.set(ParameterIDs::attack, 12.0f)).targets;
    std::vector<float> values;
    for (int block = 0; values.size() < 1000; ++block)
    {
        smoothers.setTargets(t, false); // every block re-reads the same target: the ramp goes on
        for (int i = 0; i < 100; ++i)
            values.push_back(smoothers.next()[attack]);
    }

    const float step = 12.0f / 882.0f;
    for (size_t i = 0; i < 881; ++i)
        ASSERT_NEAR(values[i], step * (float) (i + 1), 1e-4f) << "sample " << i;
    EXPECT_LT(values[880], 12.0f);
    EXPECT_EQ(values[881], 12.0f) << "reached after 882 samples";
    EXPECT_EQ(values[999], 12.0f);
}

TEST(ControlRamps, RampLengthsFollowTheSampleRate)
{
    struct Case
    {
        double rate;
        int shortRamp, longRamp;
    };
    for (const auto& c : {Case{44100.0, 882, 1323}, Case{48000.0, 960, 1440}})
    {
        ControlRamps smoothers;
        smoothers.reset(c.rate);
        ControlRamps::Targets zeros{}, ones{};
        ones.fill(1.0f);
        smoothers.setTargets(zeros, true);
        smoothers.setTargets(ones, false);
        int attackSteps = 0, mixSteps = 0;
        for (int i = 0; i < 2000; ++i)
        {
            const auto f = smoothers.next();
            attackSteps += f[attack] < 1.0f ? 1 : 0;
            mixSteps += f[mix] < 1.0f ? 1 : 0;
        }
        EXPECT_EQ(attackSteps + 1, c.shortRamp) << c.rate;
        EXPECT_EQ(mixSteps + 1, c.longRamp) << c.rate;
    }
}

TEST(ControlRamps, RenderedStretchesEqualTheValuesStepByStep)
{
    ControlRamps rendered, stepped;
    rendered.reset(48000.0);
    stepped.reset(48000.0);
    juce::Random random(17);
    auto randomTargets = [&random] {
        auto settings = ParameterValues::defaults();
        for (size_t p = 0; p < numParameters; ++p)
        {
            const auto& spec = parameterSpecs[p];
            settings[p] = spec.clampPlain(spec.minimum + random.nextFloat() * (spec.maximum - spec.minimum));
        }
        return shaperSettingsFrom(settings).targets;
    };
    const auto first = randomTargets();
    rendered.setTargets(first, true);
    stepped.setTargets(first, true);

    ControlBlock block;
    for (int stretch = 0; stretch < 2000; ++stretch)
    {
        if (random.nextInt(3) == 0) // new targets now and then, some of them mid-ramp
        {
            auto t = randomTargets();
            if (random.nextBool())
                t[mix] = first[mix]; // and some ramps that do not move
            rendered.setTargets(t, false);
            stepped.setTargets(t, false);
        }
        const int n = 1 + random.nextInt(ControlBlock::maxSamples);
        rendered.render(block, n);
        for (int i = 0; i < n; ++i)
        {
            const auto expected = stepped.next();
            for (size_t k = 0; k < numControls; ++k)
                ASSERT_EQ(block.ramps[k].values[i], expected[k]) << "ramp " << k << ", stretch " << stretch << ", sample " << i;
        }
    }
}

namespace
{
// Two processors on the same input, one of which switches power off after the first block.
struct PowerTwins
{
    TarvoltAudioProcessor switched, alwaysOn;
    PowerTwins()
    {
        harness::prepare(switched, 2, 44100.0);
        harness::prepare(alwaysOn, 2, 44100.0);
    }
};
} // namespace

TEST(BlockProcessing, PowerOffCrossfadesOver20msThenPassesTheInputBitExact)
{
    PowerTwins twins;
    const int blockSize = 256;
    const auto signal = harness::drumLikeSignal(44100, 5000, 3);
    auto input = harness::makeBuffer(2, signal);
    auto a = input, b = input;

    juce::MidiBuffer midi;
    juce::AudioBuffer<float> firstA(a.getArrayOfWritePointers(), 2, 0, blockSize);
    juce::AudioBuffer<float> firstB(b.getArrayOfWritePointers(), 2, 0, blockSize);
    twins.switched.processBlock(firstA, midi);
    twins.alwaysOn.processBlock(firstB, midi);

    harness::setPlain(twins.switched, "power", 0.0f);
    for (int start = blockSize; start < input.getNumSamples(); start += blockSize)
    {
        const int len = std::min(blockSize, input.getNumSamples() - start);
        juce::AudioBuffer<float> va(a.getArrayOfWritePointers(), 2, start, len);
        juce::AudioBuffer<float> vb(b.getArrayOfWritePointers(), 2, start, len);
        twins.switched.processBlock(va, midi);
        twins.alwaysOn.processBlock(vb, midi);
    }

    // During the ramp the output is (shaped - dry) * power + dry with power falling linearly.
    for (int i = 0; i < 882; ++i)
    {
        const int n = blockSize + i;
        const float x = input.getSample(0, n);
        const float shaped = b.getSample(0, n);
        if (std::abs(shaped - x) < 1e-3f)
            continue;
        const float power = (a.getSample(0, n) - x) / (shaped - x);
        ASSERT_NEAR(power, 1.0f - (float) (i + 1) / 882.0f, 2e-3f) << "ramp sample " << i;
    }

    for (int ch = 0; ch < 2; ++ch)
        for (int n = blockSize + 882; n < input.getNumSamples(); ++n)
            ASSERT_EQ(a.getSample(ch, n), input.getSample(ch, n)) << "channel " << ch << " sample " << n;
}

TEST(BlockProcessing, MixZeroPassesTheInputBitExact)
{
    TarvoltAudioProcessor processor;
    harness::setPlain(processor, "mix", 0.0f);
    harness::setPlain(processor, "attack", 12.0f);
    harness::setPlain(processor, "clip", 100.0f);
    harness::prepare(processor, 2, 48000.0);

    const auto input = harness::makeBuffer(2, harness::drumLikeSignal(20000, 3000));
    auto output = input;
    harness::processInBlocks(processor, output, 333);
    for (int ch = 0; ch < 2; ++ch)
        for (int n = 0; n < input.getNumSamples(); ++n)
            ASSERT_EQ(output.getSample(ch, n), input.getSample(ch, n));
}

TEST(BlockProcessing, MatchesTheSampleByReferenceWhenParametersStayPut)
{
    TarvoltAudioProcessor block;
    harness::prepare(block, 1, 48000.0);
    reference::ReferenceShaper reference(48000.0, block.getState().getParameterValues());

    const auto signal = harness::drumLikeSignal(9000, 2400, 5);
    auto buffer = harness::makeBuffer(1, signal), expected = buffer;
    harness::processInBlocks(block, buffer, 512);
    reference.process(expected, 1, block.getState().getParameterValues());

    for (int n = 0; n < (int) signal.size(); ++n)
        ASSERT_NEAR(buffer.getSample(0, n), expected.getSample(0, n), blockPathTolerance) << "sample " << n;
}

TEST(BlockProcessing, ModeAndFocusChangeAtTheNextBlockWithoutRamp)
{
    TarvoltAudioProcessor block;
    harness::prepare(block, 1, 48000.0);
    reference::ReferenceShaper reference(48000.0, block.getState().getParameterValues());

    const auto signal = harness::drumLikeSignal(1024, 700, 9);
    auto buffer = harness::makeBuffer(1, signal), expected = buffer;
    juce::MidiBuffer midi;
    for (int start : {0, 512})
    {
        if (start > 0)
        {
            harness::setPlain(block, "mode", 0.0f);
            harness::setPlain(block, "focus", 2.0f);
        }
        juce::AudioBuffer<float> part(buffer.getArrayOfWritePointers(), 1, start, 512);
        juce::AudioBuffer<float> expectedPart(expected.getArrayOfWritePointers(), 1, start, 512);
        block.processBlock(part, midi);
        // The reference switches exactly at the block boundary and ramps nothing.
        reference.process(expectedPart, 1, block.getState().getParameterValues());
    }

    for (int n = 0; n < 1024; ++n)
        ASSERT_NEAR(buffer.getSample(0, n), expected.getSample(0, n), blockPathTolerance) << "sample " << n;
}

TEST(BlockProcessing, PrepareClearsTheStateAndJumpsToTheCurrentSettings)
{
    TarvoltAudioProcessor used, fresh;
    harness::prepare(used, 2, 48000.0);
    auto warmUp = harness::makeBuffer(2, harness::drumLikeSignal(5000, 1200));
    harness::processInBlocks(used, warmUp, 512);

    harness::setPlain(used, "attack", -7.0f);
    harness::setPlain(fresh, "attack", -7.0f);
    harness::prepare(used, 2, 96000.0);
    harness::prepare(fresh, 2, 96000.0);

    auto a = harness::makeBuffer(2, harness::drumLikeSignal(4000, 1000, 11));
    auto b = a;
    harness::processInBlocks(used, a, 512);
    harness::processInBlocks(fresh, b, 512);
    for (int n = 0; n < a.getNumSamples(); ++n)
        ASSERT_EQ(a.getSample(0, n), b.getSample(0, n));
}

TEST(BlockProcessing, NonPositiveSampleRateKeepsThePreviousRate)
{
    struct Case
    {
        double first, second, equivalent;
    };
    for (const auto& c : {Case{48000.0, 0.0, 48000.0}, Case{96000.0, -1.0, 96000.0}, Case{0.0, 0.0, 44100.0},
                          Case{48000.0, std::numeric_limits<double>::quiet_NaN(), 48000.0}})
    {
        TarvoltAudioProcessor odd, plain;
        harness::prepare(odd, 1, c.first);
        odd.prepareToPlay(c.second, 512);
        harness::prepare(plain, 1, c.equivalent);

        auto a = harness::makeBuffer(1, harness::drumLikeSignal(3000, 1000));
        auto b = a;
        harness::processInBlocks(odd, a, 512);
        harness::processInBlocks(plain, b, 512);
        for (int n = 0; n < a.getNumSamples(); ++n)
        {
            ASSERT_TRUE(std::isfinite(a.getSample(0, n)));
            ASSERT_EQ(a.getSample(0, n), b.getSample(0, n)) << c.first << " then " << c.second;
        }
    }
}

// A broken sample, one that is not a number or lies beyond the input ceiling (+60 dBFS), is
// processed exactly as silence, in both qualities; a sample at the ceiling is still audio.
TEST(BlockProcessing, BrokenInputIsProcessedAsSilence)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float ceiling = shaper::inputCeiling;

    for (Quality quality : {Quality::standard, Quality::high})
        for (float bad : {nan, inf, -inf, 3.0e20f, -std::numeric_limits<float>::max(), std::nextafter(ceiling, inf),
                          ceiling, -ceiling})
        {
            SCOPED_TRACE(juce::String(bad) + (quality == Quality::high ? ", High" : ", Standard"));
            const bool broken = !(std::abs(bad) <= ceiling);
            TarvoltAudioProcessor withBad, withSilence;
            for (auto* processor : {&withBad, &withSilence})
            {
                harness::setPlain(*processor, ParameterIDs::quality, (float) quality);
                harness::prepare(*processor, 2, 48000.0);
            }

            auto signal = harness::drumLikeSignal(12000, 3000, 13);
            auto silenced = signal;
            for (int n = 4000; n < 4100; ++n)
            {
                signal[(size_t) n] = bad;
                silenced[(size_t) n] = 0.0f;
            }

            auto a = harness::makeBuffer(2, signal);
            auto b = harness::makeBuffer(2, silenced);
            harness::processInBlocks(withBad, a, 480);
            harness::processInBlocks(withSilence, b, 480);

            bool differs = false;
            for (int ch = 0; ch < 2; ++ch)
                for (int n = 0; n < a.getNumSamples(); ++n)
                {
                    ASSERT_TRUE(std::isfinite(a.getSample(ch, n))) << n;
                    if (broken)
                    {
                        ASSERT_EQ(a.getSample(ch, n), b.getSample(ch, n)) << n;
                    }
                    differs = differs || a.getSample(ch, n) != b.getSample(ch, n);
                }
            EXPECT_NE(differs, broken);
            EXPECT_TRUE(std::isfinite(withBad.getMeters().getInputLevel(0)));
            if (broken)
            {
                EXPECT_EQ(withBad.getMeters().getInputLevel(0), withSilence.getMeters().getInputLevel(0));
                EXPECT_EQ(withBad.getMeters().getOutputLevel(0), withSilence.getMeters().getOutputLevel(0));
            }
        }
}

TEST(BlockProcessing, MonoProcessesOnlyTheFirstChannel)
{
    TarvoltAudioProcessor mono, stereo;
    harness::prepare(mono, 1, 48000.0);
    harness::prepare(stereo, 2, 48000.0);
    const auto signal = harness::drumLikeSignal(4096, 1024);
    auto a = harness::makeBuffer(1, signal);
    auto b = harness::makeBuffer(2, signal);
    harness::processInBlocks(mono, a, 512);
    harness::processInBlocks(stereo, b, 512);
    for (int n = 0; n < a.getNumSamples(); ++n)
        ASSERT_EQ(a.getSample(0, n), b.getSample(0, n));

    EXPECT_GT(mono.getMeters().getInputLevel(0), 0.5f);
    EXPECT_EQ(mono.getMeters().getInputLevel(1), 0.0f);
    EXPECT_EQ(mono.getMeters().getOutputLevel(1), 0.0f);
}

TEST(BlockProcessing, SilenceStaysExactlyZeroWhateverTheSettings)
{
    juce::Random random(5);
    for (int round = 0; round < 20; ++round)
    {
        TarvoltAudioProcessor processor;
        for (const auto& spec : parameterSpecs)
            harness::setPlain(processor, spec.id,
                              spec.clampPlain(spec.minimum + random.nextFloat() * (spec.maximum - spec.minimum)));
        harness::prepare(processor, 1 + round % 2, 44100.0 + 4000.0 * round);

        juce::AudioBuffer<float> silence(1 + round % 2, 3000);
        silence.clear();
        harness::processInBlocks(processor, silence, 1 + random.nextInt(700));
        for (int ch = 0; ch < silence.getNumChannels(); ++ch)
            for (int i = 0; i < silence.getNumSamples(); ++i)
                ASSERT_EQ(silence.getSample(ch, i), 0.0f) << "round " << round << ", sample " << i;
        EXPECT_EQ(processor.getMeters().getOutputLevel(0), 0.0f);
    }
}
