// High quality: the wet path oversampled, its latency reported and matched on the dry path.

#include "common/AliasingMeasurement.h"
#include "common/ProcessorHarness.h"
#include "dsp/OversampledFollowers.h"
#include "dsp/ShapingKernels.h"

#include <gtest/gtest.h>

namespace
{
const int highLatency = TransientShaper::latencyFor(Quality::high);

juce::AudioBuffer<float> sine(double rate, double hz, float amplitude, int length, int channels = 2)
{
    juce::AudioBuffer<float> buffer(channels, length);
    for (int i = 0; i < length; ++i)
        for (int ch = 0; ch < channels; ++ch)
            buffer.setSample(ch, i, amplitude * (float) std::sin(juce::MathConstants<double>::twoPi * hz * i / rate));
    return buffer;
}
} // namespace

TEST(HighQuality, ReportsItsLatencyAndStandardNone)
{
    ASSERT_GT(highLatency, 0);
    EXPECT_LE(highLatency, 88) << "no more than 2 ms at 44.1 kHz";
    EXPECT_EQ(TransientShaper::latencyFor(Quality::standard), 0);

    TarvoltAudioProcessor processor;
    EXPECT_EQ(processor.getLatencySamples(), 0);
    harness::setPlain(processor, ParameterIDs::quality, (float) choiceIndex(Quality::high));
    EXPECT_EQ(processor.getLatencySamples(), highLatency);
    harness::setPlain(processor, ParameterIDs::quality, (float) choiceIndex(Quality::standard));
    EXPECT_EQ(processor.getLatencySamples(), 0);
}

// Mix 0, and power off once its ramp is over, give the input delayed by the latency, exactly.
TEST(HighQuality, DryIsTheInputDelayedExactly)
{
    for (const char* id : {ParameterIDs::mix, ParameterIDs::power})
    {
        SCOPED_TRACE(id);
        TarvoltAudioProcessor processor;
        harness::setPlain(processor, ParameterIDs::quality, (float) choiceIndex(Quality::high));
        harness::setPlain(processor, ParameterIDs::clip, 100.0f);
        harness::setPlain(processor, id, 0.0f);
        harness::prepare(processor, 2, 44100.0);

        const auto input = harness::makeBuffer(2, harness::drumLikeSignal(20000, 3000, 7));
        auto output = input;
        harness::processInBlocks(processor, output, 500);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < output.getNumSamples(); ++i)
                ASSERT_EQ(output.getSample(ch, i), i < highLatency ? 0.0f : input.getSample(ch, i - highLatency))
                    << "channel " << ch << ", sample " << i;
    }
}

// The path's own filters pass everything up to 20 kHz within 0.1 dB at 44.1 kHz and above.
TEST(HighQuality, PassbandFlatTo20kHz)
{
    OversampledPath path;
    for (double rate : {44100.0, 48000.0, 96000.0})
        for (double hz = 20.0; hz <= 20000.0; hz *= 1.05)
        {
            const double dB = 20.0 * std::log10(path.passbandGainAt(hz / rate));
            ASSERT_LT(std::abs(dB), 0.1) << hz << " Hz at " << rate << " Hz";
        }
}

// The wet path lines up with the delayed dry one to the sample: quiet white noise shaped with
// neutral settings comes out most like the input exactly `latency` samples back, and clearly less
// like it one sample either side (half a sample off would make two neighbours alike).
TEST(HighQuality, TheWetPathLinesUpWithTheDelayedInput)
{
    TarvoltAudioProcessor processor;
    for (const auto& [id, value] : {std::pair{ParameterIDs::quality, 1.0f}, {ParameterIDs::attack, 0.0f},
                                    {ParameterIDs::sustain, 0.0f}, {ParameterIDs::punch, 0.0f},
                                    {ParameterIDs::clip, 0.0f}})
        harness::setPlain(processor, id, value);
    harness::prepare(processor, 1, 44100.0);
    juce::Random random(5);
    juce::AudioBuffer<float> input(1, 44100);
    for (int i = 0; i < input.getNumSamples(); ++i)
        input.setSample(0, i, 0.001f * (random.nextFloat() * 2.0f - 1.0f));
    auto output = input;
    harness::processInBlocks(processor, output, 512);

    auto correlationAt = [&](int lag) {
        double sum = 0.0;
        for (int i = 4000; i < input.getNumSamples(); ++i)
            sum += (double) output.getSample(0, i) * input.getSample(0, i - lag);
        return sum;
    };
    const double atLatency = correlationAt(highLatency);
    EXPECT_GT(atLatency, 0.0);
    for (int lag = 0; lag <= 2 * highLatency; ++lag)
    {
        if (lag != highLatency)
        {
            EXPECT_LT(std::abs(correlationAt(lag)), 0.3 * atLatency) << "lag " << lag;
        }
    }
}

// However a host cuts the audio into blocks, the output is the same to the last bit, with the
// clip at 100 (the ceiling riding) too.
TEST(HighQuality, TheOutputDoesNotDependOnTheBlockSize)
{
    for (float clip : {60.0f, 100.0f})
    {
        SCOPED_TRACE("clip " + juce::String(clip));
        auto shapedIn = [clip](int blockSize) {
            TarvoltAudioProcessor processor;
            harness::setPlain(processor, ParameterIDs::quality, 1.0f);
            harness::setPlain(processor, ParameterIDs::clip, clip);
            harness::prepare(processor, 2, 48000.0, 512);
            auto buffer = harness::makeBuffer(2, harness::drumLikeSignal(20000, 4000, 17));
            buffer.applyGain(2.0f);
            harness::processInBlocks(processor, buffer, blockSize);
            return buffer;
        };
        const auto reference = shapedIn(512);
        for (int blockSize : {1, 33, 100, 500, 4096})
        {
            const auto other = shapedIn(blockSize);
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < reference.getNumSamples(); ++i)
                    ASSERT_EQ(other.getSample(ch, i), reference.getSample(ch, i))
                        << "block size " << blockSize << ", channel " << ch << ", sample " << i;
        }
    }
}

// Every build of the vectorised loops (filters, followers, wet signal, the ceiling's ride) shapes
// alike: the same drums through High quality with punch and clip (60, and 100 where the ceiling
// rides), on each instruction set this machine runs, against the build's own. Only fused
// multiply-adds may round differently.
TEST(HighQuality, EveryInstructionSetShapesAlike)
{
    for (float clip : {60.0f, 100.0f})
    {
        SCOPED_TRACE("clip " + juce::String(clip));
        const auto shapedWith = [clip](shaping::InstructionSet set) {
            TarvoltAudioProcessor processor;
            harness::setPlain(processor, ParameterIDs::quality, 1.0f);
            harness::setPlain(processor, ParameterIDs::punch, 80.0f);
            harness::setPlain(processor, ParameterIDs::clip, clip);
            harness::prepare(processor, 2, 44100.0, 512);
            auto buffer = harness::makeBuffer(2, harness::drumLikeSignal(30000, 3000, 5));
            buffer.applyGain(2.0f);
            shaping::use(set);
            harness::processInBlocks(processor, buffer, 300);
            return buffer;
        };
        const auto best = shaping::activeInstructionSet();
        const auto reference = shapedWith(shaping::InstructionSet::generic);
        float largest = 0.0f;
        for (int ch = 0; ch < 2; ++ch)
            largest = std::max(largest, reference.getMagnitude(ch, 0, reference.getNumSamples()));
        ASSERT_GT(largest, 0.1f);
        for (const auto set : {shaping::InstructionSet::avx2, shaping::InstructionSet::avx512})
        {
            if (!shaping::isSupported(set))
                continue;
            const auto other = shapedWith(set);
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < reference.getNumSamples(); ++i)
                    ASSERT_NEAR(other.getSample(ch, i), reference.getSample(ch, i), 1.0e-5f)
                        << shaping::nameOf(set) << ", channel " << ch << ", sample " << i;
        }
        shaping::use(best);
    }
}

// The followers of the High path take four steps a base sample, composed into one: after every
// stretch each channel's envelopes are those of four plain follower steps
// (shaper::followEnvelopes, at four times the rate) per base sample, in every mode, with
// stretches of any length (within float rounding: 1e-4 of the envelope). Linked, the linked pair
// takes the larger of the two channels' values and each channel's own followers their own.
TEST(HighQuality, TheComposedFollowerStepsAreFourPlainSteps)
{
    const double rate = 48000.0;
    constexpr int steps = OversampledFollowers::steps;
    juce::Random random(11);
    for (Mode mode : {Mode::tight, Mode::punch, Mode::smooth})
        for (bool linked : {false, true})
        {
            SCOPED_TRACE("mode " + juce::String(choiceIndex(mode)) + (linked ? ", linked" : ""));
            OversampledFollowers followers;
            followers.prepare(rate);
            const auto c = shaper::EnvelopeCoefficients::forMode(mode, steps * rate);
            DetectorState detector;
            float fast[2]{}, slow[2]{}, linkedFast = 0.0f, linkedSlow = 0.0f;
            static OversampledFollowers::Values values;
            envelopePass::Stretch fastOut, slowOut;
            for (int stretch = 0; stretch < 40; ++stretch)
            {
                const int n = 1 + random.nextInt(ControlBlock::maxSamples);
                // Bursts over quiet stretches, so that both followers attack and release.
                const float level = stretch % 5 == 0 ? 1.0f : 0.05f;
                for (int ch = 0; ch < 2; ++ch)
                    for (int i = 0; i < n; ++i)
                        for (int p = 0; p < steps; ++p)
                            values[ch][p][i] = level * random.nextFloat() * (ch == 0 ? 1.0f : 0.6f);
                followers.run(mode, linked, 2, values, fastOut, slowOut, n, detector);

                for (int i = 0; i < n; ++i)
                    for (int p = 0; p < steps; ++p)
                    {
                        for (int ch = 0; ch < 2; ++ch)
                            shaper::followEnvelopes(values[ch][p][i], fast[ch], slow[ch], c);
                        if (linked)
                            shaper::followEnvelopes(std::max(values[0][p][i], values[1][p][i]), linkedFast,
                                                    linkedSlow, c);
                    }
                const auto near = [](float got, float expected) {
                    return std::abs(got - expected) <= 1.0e-4f * expected + 1.0e-9f;
                };
                for (int ch = 0; ch < 2; ++ch)
                {
                    ASSERT_PRED2(near, detector.channels[(size_t) ch].fastEnvelope, fast[ch])
                        << "stretch " << stretch << ", channel " << ch;
                    ASSERT_PRED2(near, detector.channels[(size_t) ch].slowEnvelope, slow[ch])
                        << "stretch " << stretch << ", channel " << ch;
                }
                if (linked)
                {
                    ASSERT_PRED2(near, detector.linkedFast, linkedFast) << "stretch " << stretch;
                    ASSERT_PRED2(near, detector.linkedSlow, linkedSlow) << "stretch " << stretch;
                }
            }
        }
}

// The measurement of the bench program (bench/AliasingBench.cpp): what folds back from the
// saturation stays far down with High quality, where it is plainly audible at Standard.
TEST(HighQuality, KeepsTheSaturationsAliasingDown)
{
    struct Case
    {
        const char* id;
        float value;
        double highAtMost, standardAtLeast; // dB
    };
    const Case cases[] = {
        {ParameterIDs::clip, 50.0f, -80.0, -45.0},
        {ParameterIDs::clip, 100.0f, -60.0, -30.0},
        {ParameterIDs::punch, 100.0f, -80.0, -55.0},
    };
    for (double rate : {44100.0, 48000.0, 96000.0})
        for (const auto& c : cases)
        {
            SCOPED_TRACE(juce::String(c.id) + " " + juce::String(c.value) + " at " + juce::String(rate) + " Hz");
            const auto at = [&](Quality quality) {
                return aliasing::aliasedEnergyDb(
                    aliasing::shapedSine(rate, {{c.id, c.value}, {ParameterIDs::quality, (float) choiceIndex(quality)}}), rate);
            };
            EXPECT_LE(at(Quality::high), c.highAtMost);
            if (rate < 96000.0) // at 96 kHz the folded harmonics are weaker to begin with
            {
                EXPECT_GE(at(Quality::standard), c.standardAtLeast);
            }
        }
}

// Changing the quality while a tone plays fades the output out and in again: no sample jumps
// further from the one before than the steadily shaped tone ever does, and the tone comes back.
TEST(HighQuality, SwitchingWhileAudioRunsDoesNotClick)
{
    const double rate = 48000.0, hz = 1000.0;
    TarvoltAudioProcessor processor;
    harness::setPlain(processor, ParameterIDs::mix, 50.0f);
    harness::prepare(processor, 2, rate);
    auto buffer = sine(rate, hz, 0.5f, 96000);
    juce::MidiBuffer midi;
    const int blockSize = 256, firstChange = 90, lastChange = 240;
    for (int start = 0, block = 0; start < buffer.getNumSamples(); start += blockSize, ++block)
    {
        // Every 160 ms, once the shaping has settled: to High, back, and so on, ending at Standard.
        if (block >= firstChange && block <= lastChange && (block - firstChange) % 30 == 0)
            harness::setPlain(processor, ParameterIDs::quality, (float) ((block - firstChange) / 30 % 2 == 0));
        juce::AudioBuffer<float> view(buffer.getArrayOfWritePointers(), 2, start, blockSize);
        processor.processBlock(view, midi);
    }

    auto largestStep = [&](int from, int to) {
        float largest = 0.0f;
        for (int i = from; i < to; ++i)
            largest = std::max(largest, std::abs(buffer.getSample(0, i) - buffer.getSample(0, i - 1)));
        return largest;
    };
    auto peak = [&](int from) {
        float largest = 0.0f;
        for (int i = from; i < from + 1000; ++i)
            largest = std::max(largest, std::abs(buffer.getSample(0, i)));
        return largest;
    };
    const int changesStart = firstChange * blockSize;
    EXPECT_LE(largestStep(changesStart, buffer.getNumSamples()), 1.05f * largestStep(changesStart - 4800, changesStart));
    // Long after the last change: the level from before the changes.
    EXPECT_NEAR(peak(buffer.getNumSamples() - 1000), peak(changesStart - 1000), 0.01f * peak(changesStart - 1000));
}
