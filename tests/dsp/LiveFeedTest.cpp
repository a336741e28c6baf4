// The live view's feed: the reduction of a stretch, the summaries processBlock sends while a
// reader listens, their line-up in High quality, and the full queue.

#include "common/ProcessorHarness.h"
#include "dsp/LiveFeed.h"
#include "dsp/ShaperCore.h"
#include "dsp/ShapingKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>
#include <vector>

namespace
{
std::vector<LiveSummary> readAll(LiveFeed& feed)
{
    std::vector<LiveSummary> all;
    LiveSummary chunk[128];
    for (int n; (n = feed.read(chunk, 128)) > 0;)
        all.insert(all.end(), chunk, chunk + n);
    return all;
}

// The smallest and largest sample of both channels over [start, start + n).
std::pair<float, float> rangeOf(const juce::AudioBuffer<float>& buffer, int start, int n)
{
    float lo = buffer.getSample(0, start), hi = lo;
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = start; i < start + n; ++i)
        {
            lo = std::min(lo, buffer.getSample(ch, i));
            hi = std::max(hi, buffer.getSample(ch, i));
        }
    return {lo, hi};
}

// A processor with a reader listening to its feed, prepared for stereo at 48 kHz.
struct FedProcessor
{
    explicit FedProcessor(const std::vector<std::pair<const char*, float>>& settings = {}, int channels = 2)
    {
        for (const auto& [id, value] : settings)
            harness::setPlain(processor, id, value);
        processor.getLiveFeed().addReader();
        harness::prepare(processor, channels, 48000.0);
    }

    TarvoltAudioProcessor processor;
};

const int highLatency = TransientShaper::latencyFor(Quality::high);
} // namespace

// The live view's share of the kernels, every instruction set this processor runs, lengths around
// the vector widths, the sensitivity ramping: the shaping loop writes the same output and peak
// whether the live view listens or not, keeps the transient amounts as it computes them (within
// the approximation's reach of a plain loop) when asked to, and finds its output's exact range
// and largest transient amount; the input's copy finds the input's range; the live pass finds the
// ranges of input and output over both channels (or one) and their largest transient amount.
TEST(LiveReduction, TheShapingLoopAndTheLivePassFindWhatTheViewShows)
{
    constexpr int maxN = ControlBlock::maxSamples;
    juce::Random random(5);
    float in[2][maxN], fast[maxN], slow[maxN], plain[maxN], out[2][maxN], T[2][maxN];
    for (int i = 0; i < maxN; ++i)
    {
        in[0][i] = random.nextFloat() * 2.0f - 1.0f;
        in[1][i] = random.nextFloat() * 3.0f - 1.0f;
        fast[i] = random.nextFloat();
        slow[i] = random.nextFloat() * 0.8f;
    }
    ControlBlock controls;
    const float defaults[] = {5.0f, -2.5f, 0.6f, 0.3f, 0.25f, 1.0f, 1.0f, 1.0f};
    static_assert(std::size(defaults) == numControls);
    for (size_t c = 0; c < numControls; ++c)
        std::fill(std::begin(controls.ramps[c].values), std::end(controls.ramps[c].values), defaults[c]);
    auto& sensitivity = controls[Control::sensitivity];
    sensitivity.constant = false;
    for (int i = 0; i < maxN; ++i)
        sensitivity.values[i] = (float) i / maxN;
    const float clipNorm = shaper::clipNormaliser(0.25f);

    const auto best = shaping::activeInstructionSet();
    for (auto set : {shaping::InstructionSet::generic, shaping::InstructionSet::avx2, shaping::InstructionSet::avx512})
    {
        if (!shaping::use(set))
            continue;
        const auto& kernels = shaping::activeKernels();
        for (int n : {1, 3, 15, 16, 17, 33, 100, maxN})
        {
            SCOPED_TRACE(std::string(shaping::nameOf(set)) + ", " + std::to_string(n) + " samples");
            const float plainPeak = kernels.shape(in[0], fast, slow, controls, clipNorm, 1.25f, plain, n, nullptr);
            for (int ch = 0; ch < 2; ++ch)
            {
                for (float* kept : {(float*) nullptr, T[ch]})
                {
                    shaping::ShapedStretch live{kept};
                    const float peak = kernels.shape(in[ch], fast, slow, controls, clipNorm, 1.25f, out[ch], n, &live);
                    if (ch == 0)
                    {
                        ASSERT_TRUE(std::equal(plain, plain + n, out[0]));
                        EXPECT_EQ(peak, plainPeak);
                    }
                    float lo = out[ch][0], hi = lo, transient = 0.0f;
                    for (int i = 0; i < n; ++i)
                    {
                        const float expected = shaper::transientFromEnvelopes(fast[i], slow[i], sensitivity[i], 1.25f);
                        if (kept != nullptr)
                            ASSERT_NEAR(T[ch][i], expected, 1.0e-6f);
                        lo = std::min(lo, out[ch][i]), hi = std::max(hi, out[ch][i]);
                        transient = std::max(transient, expected);
                    }
                    EXPECT_EQ(std::tie(live.output.lowest, live.output.highest), std::tie(lo, hi));
                    EXPECT_EQ(peak, live.output.largestMagnitude());
                    EXPECT_NEAR(live.transient, transient, 1.0e-6f);
                }
                float copy[maxN], plainCopy[maxN];
                fastmath::SampleRange inputRange;
                const float inputPeak = kernels.sanitise(in[ch], copy, n, &inputRange);
                EXPECT_EQ(inputPeak, kernels.sanitise(in[ch], plainCopy, n, nullptr));
                ASSERT_TRUE(std::equal(copy, copy + n, in[ch]));
                EXPECT_EQ(std::tie(inputRange.lowest, inputRange.highest),
                          std::tie(*std::min_element(in[ch], in[ch] + n), *std::max_element(in[ch], in[ch] + n)));
            }
            T[1][n / 2] = 1.0f; // the second channel's hit

            for (int channels : {1, 2})
            {
                const int last = channels - 1;
                const auto got = kernels.live({{in[0], in[last]}, {out[0], out[last]}, {T[0], T[last]}}, n);
                float inLo = in[0][0], inHi = inLo, outLo = out[0][0], outHi = outLo, transient = 0.0f;
                for (int ch = 0; ch < channels; ++ch)
                    for (int i = 0; i < n; ++i)
                    {
                        inLo = std::min(inLo, in[ch][i]), inHi = std::max(inHi, in[ch][i]);
                        outLo = std::min(outLo, out[ch][i]), outHi = std::max(outHi, out[ch][i]);
                        transient = std::max(transient, T[ch][i]);
                    }
                EXPECT_EQ(std::tie(got.inputMin, got.inputMax, got.outputMin, got.outputMax, got.transient, got.numSamples),
                          std::tie(inLo, inHi, outLo, outHi, transient, n))
                    << channels << " channel(s)";
            }
        }
    }
    shaping::use(best);
}

// The live pass's ranges on every instruction set: signs, zeros of both signs (which of them a
// range holds does not matter), the extremes and the denormals; the largest magnitude of a range
// is the one the meters take.
TEST(LiveReduction, RangesHoldTheExtremes)
{
    constexpr float big = std::numeric_limits<float>::max(), tiny = std::numeric_limits<float>::denorm_min();
    constexpr float zero = 0.0f, half = 0.5f; // the copy's range of {big, -big, 0.5}
    struct Case
    {
        std::vector<float> samples;
        float lowest, highest;
    };
    const Case cases[] = {
        {{-0.0f, 0.0f}, 0.0f, 0.0f},
        {{-3.0f, -1.0f, -2.0f}, -3.0f, -1.0f},
        {{-0.0f, -1.0f}, -1.0f, 0.0f},
        {{1.0e-30f, 5.0f, 2.0f}, 1.0e-30f, 5.0f},
        {{big, -big, 0.5f}, -big, big},
        {{tiny, -tiny}, -tiny, tiny},
        {{0.25f}, 0.25f, 0.25f},
        {{}, 0.0f, 0.0f}, // no samples: an empty range at 0
    };
    const auto best = shaping::activeInstructionSet();
    for (auto set : {shaping::InstructionSet::generic, shaping::InstructionSet::avx2, shaping::InstructionSet::avx512})
    {
        if (!shaping::use(set))
            continue;
        for (const auto& c : cases)
        {
            // The samples placed anywhere in a vector's lanes, in the first channel or the second.
            for (int at : {0, 5, 21})
            {
                const int n = at + (int) c.samples.size();
                std::vector<float> one(std::max(n, 1), c.samples.empty() ? 0.0f : c.samples[0]), other = one;
                std::copy(c.samples.begin(), c.samples.end(), one.begin() + at);
                const std::vector<float> transients(one.size(), 0.0f);
                for (const auto& [first, second] : {std::pair{&one, &other}, std::pair{&other, &one}})
                {
                    SCOPED_TRACE(std::string(shaping::nameOf(set)) + ", at " + std::to_string(at));
                    const auto got = shaping::activeKernels().live(
                        {{first->data(), second->data()}, {first->data(), second->data()},
                         {transients.data(), transients.data()}},
                        c.samples.empty() ? 0 : n);
                    EXPECT_EQ(std::tie(got.inputMin, got.inputMax, got.outputMin, got.outputMax),
                              std::tie(c.lowest, c.highest, c.lowest, c.highest));
                    const fastmath::SampleRange range{got.outputMin, got.outputMax};
                    EXPECT_EQ(range.largestMagnitude(), fastmath::largestMagnitude(c.samples.data(), (int) c.samples.size()));

                    // The input's copy finds the same range of one channel, once its broken
                    // samples (beyond the input ceiling) are silence.
                    std::vector<float> copy(first->size());
                    fastmath::SampleRange copied;
                    shaping::activeKernels().sanitise(first->data(), copy.data(), c.samples.empty() ? 0 : n, &copied);
                    const bool broken = std::abs(c.highest) > shaper::inputCeiling;
                    if (first == &one)
                        EXPECT_EQ(std::tie(copied.lowest, copied.highest),
                                  broken ? std::tie(zero, half) : std::tie(c.lowest, c.highest));
                }
            }
        }
    }
    shaping::use(best);
}

// Each summary stands for the stretches of at least 1/750 s (64 samples at 48 kHz) that the
// block path ran, and holds exactly their input and output ranges over all channels (in stereo
// the left channel holds the larger range in the first half, the right one in the second), mono
// or stereo. Switched to High quality half way, the output's ranges hold through the fade (the
// input is then shown as late as the output).
TEST(LiveFeed, SummariesHoldTheRangesOfTheStretchesTheyStandFor)
{
    struct Case
    {
        int blockSize, summaryLength, channels;
        bool switching = false;
    };
    for (const auto& c : {Case{512, 128, 2}, Case{100, 100, 2}, Case{32, 64, 2}, Case{48, 96, 2}, Case{9600, 128, 2},
                          Case{512, 128, 1}, Case{512, 128, 2, true}})
    {
        SCOPED_TRACE("blocks of " + std::to_string(c.blockSize) + ", " + std::to_string(c.channels) + " channel(s)"
                     + (c.switching ? ", switching" : ""));
        FedProcessor fed({}, c.channels);
        auto input = harness::makeBuffer(c.channels, harness::drumLikeSignal(9600, 2400, 3));
        if (c.channels == 2)
        {
            input.applyGain(1, 0, 4800, 0.3f);
            input.applyGain(1, 4800, 4800, -1.5f);
        }
        auto output = input;
        const int switchAt = c.switching ? 9 * c.blockSize : 9600; // on a block's and a summary's start
        juce::AudioBuffer<float> before(output.getArrayOfWritePointers(), c.channels, switchAt);
        harness::processInBlocks(fed.processor, before, c.blockSize);
        if (c.switching)
            harness::setPlain(fed.processor, ParameterIDs::quality, (float) choiceIndex(Quality::high));
        juce::AudioBuffer<float> after(output.getArrayOfWritePointers(), c.channels, switchAt, 9600 - switchAt);
        harness::processInBlocks(fed.processor, after, c.blockSize);

        const auto summaries = readAll(fed.processor.getLiveFeed());
        ASSERT_EQ((int) summaries.size(), 9600 / c.summaryLength);
        int start = 0;
        for (const auto& s : summaries)
        {
            ASSERT_EQ(s.numSamples, c.summaryLength) << "at sample " << start;
            const auto [inLo, inHi] = rangeOf(input, start, s.numSamples);
            const auto [outLo, outHi] = rangeOf(output, start, s.numSamples);
            if (start < switchAt)
            {
                ASSERT_EQ(s.inputMin, inLo) << "at sample " << start;
                ASSERT_EQ(s.inputMax, inHi) << "at sample " << start;
            }
            ASSERT_EQ(s.outputMin, outLo) << "at sample " << start;
            ASSERT_EQ(s.outputMax, outHi) << "at sample " << start;
            start += s.numSamples;
        }
    }
}

// A hit makes the detector fire at its start; silence leaves the amount at 0.
TEST(LiveFeed, TheTransientAmountFiresOnTheHitOnly)
{
    FedProcessor fed;
    juce::AudioBuffer<float> buffer(2, 5120);
    buffer.clear();
    for (int i = 2400; i < 5120; ++i)
        for (int ch = 0; ch < 2; ++ch)
            buffer.setSample(ch, i, 0.5f * std::exp(-(float) (i - 2400) / 400.0f) * std::sin((float) i * 0.3f));
    harness::processInBlocks(fed.processor, buffer, 512);

    const auto summaries = readAll(fed.processor.getLiveFeed());
    ASSERT_EQ(summaries.size(), 5120u / 128u);
    for (size_t k = 0; k < summaries.size(); ++k)
    {
        if (k < 2400 / 128)
        {
            EXPECT_EQ(summaries[k].transient, 0.0f) << "summary " << k;
        }
        if (k == 2400 / 128 + 1)
        {
            EXPECT_GT(summaries[k].transient, 0.8f) << "summary " << k;
        }
    }
}

// Output and input line up: with power off, and with High quality's latency when the mix is 0
// (the path's output is then exactly its input, delayed), every summary's ranges are equal.
TEST(LiveFeed, InputAndOutputLineUpWhenTheOutputIsTheInput)
{
    using Settings = std::vector<std::pair<const char*, float>>;
    const std::pair<const char*, Settings> cases[] = {
        {"power off", {{ParameterIDs::power, 0.0f}}},
        {"High, mix 0", {{ParameterIDs::quality, (float) choiceIndex(Quality::high)}, {ParameterIDs::mix, 0.0f}}},
        {"High, power off", {{ParameterIDs::quality, (float) choiceIndex(Quality::high)}, {ParameterIDs::power, 0.0f}}},
    };
    ASSERT_GT(highLatency, 0);
    for (const auto& [name, settings] : cases)
    {
        SCOPED_TRACE(name);
        FedProcessor fed(settings);
        auto buffer = harness::makeBuffer(2, harness::drumLikeSignal(24000, 1500, 9));
        harness::processInBlocks(fed.processor, buffer, 333);

        const auto summaries = readAll(fed.processor.getLiveFeed());
        ASSERT_GT(summaries.size(), 100u);
        for (size_t k = 0; k < summaries.size(); ++k)
        {
            ASSERT_EQ(summaries[k].inputMin, summaries[k].outputMin) << "summary " << k;
            ASSERT_EQ(summaries[k].inputMax, summaries[k].outputMax) << "summary " << k;
        }
    }
}

// Listening changes nothing of the audio: with the live view open the output is the same, bit for
// bit, in Standard and High quality, with the link, with the power off, and across a switch of
// quality (whose fade the live pass then reads), in stereo and in mono.
TEST(LiveFeed, ListeningLeavesTheAudioAsItIs)
{
    using Settings = std::vector<std::pair<const char*, float>>;
    const std::pair<const char*, Settings> cases[] = {
        {"defaults", {}},
        {"High", {{ParameterIDs::quality, (float) choiceIndex(Quality::high)}}},
        {"link", {{ParameterIDs::link, (float) choiceIndex(StereoLink::on)}, {ParameterIDs::attack, 8.0f}}},
        {"power off", {{ParameterIDs::power, 0.0f}}},
    };
    for (const auto& [name, settings] : cases)
        for (int channels : {2, 1})
        {
            SCOPED_TRACE(std::string(name) + ", " + std::to_string(channels) + " channel(s)");
            auto input = harness::makeBuffer(channels, harness::drumLikeSignal(12000, 1700, 4));
            if (channels == 2)
                input.applyGain(1, 0, input.getNumSamples(), -0.7f);
            juce::AudioBuffer<float> outputs[2];
            for (bool listening : {false, true})
            {
                TarvoltAudioProcessor processor;
                for (const auto& [id, value] : settings)
                    harness::setPlain(processor, id, value);
                if (listening)
                    processor.getLiveFeed().addReader();
                harness::prepare(processor, channels, 48000.0);
                auto& output = outputs[listening ? 1 : 0];
                output = input;
                juce::AudioBuffer<float> firstPart(output.getArrayOfWritePointers(), channels, 6000);
                harness::processInBlocks(processor, firstPart, 256);
                // Half way, the other quality: the path fades over to it.
                const bool high = harness::getPlain(processor, ParameterIDs::quality) == (float) choiceIndex(Quality::high);
                harness::setPlain(processor, ParameterIDs::quality, high ? 0.0f : (float) choiceIndex(Quality::high));
                juce::AudioBuffer<float> secondPart(output.getArrayOfWritePointers(), channels, 6000, 6000);
                harness::processInBlocks(processor, secondPart, 256);
            }
            for (int ch = 0; ch < channels; ++ch)
                ASSERT_EQ(0, std::memcmp(outputs[0].getReadPointer(ch), outputs[1].getReadPointer(ch),
                                         sizeof(float) * (size_t) input.getNumSamples()))
                    << "channel " << ch;
        }
}

// While nobody listens the audio thread summarises nothing; a reader gets only what came after.
TEST(LiveFeed, RunsOnlyWhileAReaderListens)
{
    TarvoltAudioProcessor processor;
    harness::prepare(processor, 1, 48000.0);
    auto& feed = processor.getLiveFeed();
    auto buffer = harness::makeBuffer(1, harness::drumLikeSignal(4096, 1000));

    EXPECT_FALSE(feed.isActive());
    harness::processInBlocks(processor, buffer, 512);
    EXPECT_TRUE(readAll(feed).empty());

    feed.addReader();
    EXPECT_TRUE(feed.isActive());
    harness::processInBlocks(processor, buffer, 512);
    EXPECT_EQ(readAll(feed).size(), 4096u / 128u);

    feed.removeReader();
    EXPECT_FALSE(feed.isActive());
    harness::processInBlocks(processor, buffer, 512);
    EXPECT_TRUE(readAll(feed).empty());
}

// A reader that does not keep up loses the newest summaries; the audio thread goes on.
TEST(LiveFeed, AFullQueueDropsWhatDoesNotFit)
{
    FedProcessor fed;
    const int total = 6000; // summaries of 128 samples, more than the queue holds
    juce::AudioBuffer<float> buffer(2, total * 128);
    for (int k = 0; k < total; ++k)
        for (int ch = 0; ch < 2; ++ch)
            juce::FloatVectorOperations::fill(buffer.getWritePointer(ch, k * 128), (float) k / total, 128);
    harness::setPlain(fed.processor, ParameterIDs::power, 0.0f);
    harness::processInBlocks(fed.processor, buffer, 512);

    auto& feed = fed.processor.getLiveFeed();
    const auto kept = readAll(feed);
    ASSERT_EQ((int) kept.size(), LiveFeed::queueCapacity - 1);
    EXPECT_EQ(feed.getNumDropped(), total - (LiveFeed::queueCapacity - 1));
    for (size_t k = 0; k < kept.size(); ++k)
        ASSERT_EQ(kept[k].inputMax, (float) k / total) << "the oldest stay, in order";

    // Room again: the next block's summaries arrive.
    harness::processInBlocks(fed.processor, buffer, 512);
    EXPECT_FALSE(readAll(feed).empty());
}
