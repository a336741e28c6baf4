// Broken samples: one sample, or a burst, that no real audio contains (far beyond full scale or
// not a number at all), and denormals. The shaping must come back at once, in both qualities,
// linked or not, and power off and mix 0 must keep passing the input through.

#include "common/ProcessorHarness.h"
#include "dsp/CeilingRide.h"
#include "dsp/EnvelopePass.h"
#include "dsp/OversampledPath.h"
#include "dsp/ShapingKernels.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

namespace
{
constexpr double rate = 48000.0;
constexpr int length = 72000;    // 1.5 s
constexpr int disturbed = 24200; // in the decay of a left hit
constexpr int recovery = 2400;   // 50 ms
constexpr int burstLength = 64;

// A drum-like left channel over a 300 Hz tone, and a quieter right channel with hits of its own.
juce::AudioBuffer<float> programme(int length = ::length)
{
    juce::AudioBuffer<float> buffer(2, length);
    const auto left = harness::drumLikeSignal(length, 4800, 3),
               right = harness::drumLikeSignal(length, 3600, 8);
    for (int i = 0; i < length; ++i)
    {
        const float tone = 0.2f * (float)std::sin(juce::MathConstants<double>::twoPi * 300.0 * i / rate);
        buffer.setSample(0, i, left[(size_t)i] + tone);
        buffer.setSample(1, i, 0.5f * right[(size_t)i] + 0.5f * tone);
    }
    return buffer;
}

struct Setting
{
    const char* id;
    float value;
};

juce::AudioBuffer<float> shape(juce::AudioBuffer<float> buffer, std::initializer_list<Setting> settings)
{
    TarvoltAudioProcessor processor;
    for (const auto& s : settings)
        harness::setPlain(processor, s.id, s.value);
    harness::prepare(processor, buffer.getNumChannels(), rate);
    harness::processInBlocks(processor, buffer, 512);
    return buffer;
}

struct Disturbance
{
    const char* name;
    float value;
    int count; // samples in a row, alternating in sign
};

std::vector<Disturbance> disturbances()
{
    const float inf = std::numeric_limits<float>::infinity();
    const Disturbance single[] = {{"3e20", 3.0e20f, 1},
                                  {"1e22", 1.0e22f, 1},
                                  {"-1e30", -1.0e30f, 1},
                                  {"FLT_MAX", FLT_MAX, 1},
                                  {"+inf", inf, 1},
                                  {"-inf", -inf, 1},
                                  {"NaN", std::numeric_limits<float>::quiet_NaN(), 1},
                                  {"denormal", 1.0e-40f, 1}};
    std::vector<Disturbance> all;
    for (const auto& d : single)
    {
        all.push_back(d);
        all.push_back({d.name, d.value, burstLength});
    }
    return all;
}

// The programme with a disturbance in the left channel, or with those samples missing (silent).
juce::AudioBuffer<float> disturbedBy(const Disturbance& d, bool missing = false, int length = ::length)
{
    auto buffer = programme(length);
    for (int k = 0; k < d.count; ++k)
        buffer.setSample(0, disturbed + k, missing ? 0.0f : k % 2 == 0 ? d.value : -d.value);
    return buffer;
}
} // namespace

// After any broken sample the output is the undisturbed render's again within 50 ms, in both
// channels, and never anything but finite. The broken samples carry nothing to shape, so the
// tolerance is what losing them costs: a render of the programme with those samples silent (a
// dropout, which is audio) stands as far from the undisturbed one, sample for sample. For one
// sample that is below 2e-4 by then; for 64 (1.3 ms) about 0.01, mostly the slow follower's dip
// (up to 1 - exp(-64 / 11520), about 0.6 %, with its 240 ms release), which fades over the next
// second. A follower left pumped up or poisoned is off by the whole shaping, tenths of full scale.
TEST(BrokenSamples, TheShapingComesBackWithin50ms)
{
    for (Quality quality : {Quality::standard, Quality::high})
        for (StereoLink link : {StereoLink::off, StereoLink::on})
        {
            const std::initializer_list<Setting> settings{{ParameterIDs::quality, (float) choiceIndex(quality)},
                                                          {ParameterIDs::link, (float) choiceIndex(link)}};
            const auto clean = shape(programme(), settings);
            const int latency = TransientShaper::latencyFor(quality);
            for (const auto& d : disturbances())
            {
                SCOPED_TRACE(juce::String(d.name) + " x" + juce::String(d.count) +
                             (quality == Quality::high ? ", High" : ", Standard") +
                             (link == StereoLink::on ? ", linked" : ""));
                const auto out = shape(disturbedBy(d), settings);
                const auto dropout = shape(disturbedBy(d, true), settings);
                float dropoutCost = 0.0f;
                for (int ch = 0; ch < 2; ++ch)
                    for (int i = 0; i < length; ++i)
                    {
                        ASSERT_TRUE(std::isfinite(out.getSample(ch, i)))
                            << "channel " << ch << ", sample " << i;
                        if (i < disturbed + d.count + recovery + latency)
                            continue;
                        const float cost = std::abs(dropout.getSample(ch, i) - clean.getSample(ch, i));
                        dropoutCost = std::max(dropoutCost, cost);
                        ASSERT_LE(std::abs(out.getSample(ch, i) - clean.getSample(ch, i)), cost + 1.0e-6f)
                            << "channel " << ch << ", sample " << i;
                    }
                EXPECT_LT(dropoutCost, d.count == 1 ? 2.0e-4f : 0.02f) << "what a dropout leaves after 50 ms";
            }
        }
}

// Power off and mix 0 give the input (as late as the latency in High) at every sample but the
// broken ones themselves, whatever came before.
TEST(BrokenSamples, PowerOffAndMixZeroPassTheInputThrough)
{
    for (Quality quality : {Quality::standard, Quality::high})
        for (StereoLink link : {StereoLink::off, StereoLink::on})
            for (const char* id : {ParameterIDs::power, ParameterIDs::mix})
            {
                const int latency = TransientShaper::latencyFor(quality);
                for (const auto& d : disturbances())
                {
                    SCOPED_TRACE(juce::String(id) + " 0, " + d.name + " x" + juce::String(d.count) +
                                 (quality == Quality::high ? ", High" : ", Standard") +
                                 (link == StereoLink::on ? ", linked" : ""));
                    const auto input = disturbedBy(d);
                    const auto out = shape(input, {{ParameterIDs::quality, (float) choiceIndex(quality)},
                                                   {ParameterIDs::link, (float) choiceIndex(link)},
                                                   {id, 0.0f}});
                    for (int ch = 0; ch < 2; ++ch)
                        for (int i = 0; i < length; ++i)
                        {
                            const int from = i - latency;
                            if (ch == 0 && from >= disturbed && from < disturbed + d.count)
                                continue;
                            ASSERT_EQ(out.getSample(ch, i), from < 0 ? 0.0f : input.getSample(ch, from))
                                << "channel " << ch << ", sample " << i;
                        }
                }
            }
}

// Just inside the ceiling a burst is audio and shaped as such: with every gain at its top the
// output stays finite, and the followers it pumped up come back down by their own release. From
// 60 dB above the programme the slow follower (240 ms) needs about three seconds; in the last
// second of five the output is the undisturbed one's again.
TEST(BrokenSamples, AudioAtTheCeilingStaysFiniteAndFades)
{
    const float loudest = shaper::inputCeiling;
    const Disturbance atCeiling{"ceiling", loudest, burstLength};
    const int longer = 5 * 48000;
    for (Quality quality : {Quality::standard, Quality::high})
        for (StereoLink link : {StereoLink::off, StereoLink::on})
        {
            SCOPED_TRACE(juce::String(quality == Quality::high ? "High" : "Standard") +
                         (link == StereoLink::on ? ", linked" : ""));
            const std::initializer_list<Setting> settings{{ParameterIDs::quality, (float) choiceIndex(quality)},
                                                          {ParameterIDs::link, (float) choiceIndex(link)},
                                                          {ParameterIDs::attack, 12.0f},
                                                          {ParameterIDs::punch, 100.0f},
                                                          {ParameterIDs::clip, 0.0f},
                                                          {ParameterIDs::output, 12.0f}};
            const auto clean = shape(programme(longer), settings);
            const auto out = shape(disturbedBy(atCeiling, false, longer), settings);
            float largest = 0.0f, after = 0.0f;
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < longer; ++i)
                {
                    ASSERT_TRUE(std::isfinite(out.getSample(ch, i))) << "channel " << ch << ", sample " << i;
                    largest = std::max(largest, std::abs(out.getSample(ch, i)));
                    if (i >= longer - 48000)
                        after = std::max(after, std::abs(out.getSample(ch, i) - clean.getSample(ch, i)));
                }
            EXPECT_GT(largest, loudest) << "the burst is shaped, not silenced";
            EXPECT_LE(after, 1.0e-5f) << "back to the undisturbed shaping";
        }
}

namespace
{
// Each sample's envelopes of two channels, as the envelope pass writes them.
struct Envelopes
{
    std::vector<float> fast[2], slow[2];
};

Envelopes runEnvelopePass(int focus, const std::vector<float> (&input)[2], DetectorState& state)
{
    const auto c = shaper::EnvelopeCoefficients::forMode(Mode::punch, rate);
    Envelopes out;
    envelopePass::Stretch in, fast, slow;
    for (size_t start = 0; start < input[0].size(); start += ControlBlock::maxSamples)
    {
        const int n = (int)std::min((size_t)ControlBlock::maxSamples, input[0].size() - start);
        for (int ch = 0; ch < 2; ++ch)
            std::copy(input[ch].begin() + (long)start, input[ch].begin() + (long)start + n, in[ch]);
        envelopePass::run(focus, false, 2, in, fast, slow, n, c, state);
        for (int ch = 0; ch < 2; ++ch)
        {
            out.fast[ch].insert(out.fast[ch].end(), fast[ch], fast[ch] + n);
            out.slow[ch].insert(out.slow[ch].end(), slow[ch], slow[ch] + n);
        }
    }
    return out;
}

DetectorState freshChannels()
{
    DetectorState state;
    for (auto& channel : state.channels)
        channel.lowBand = FocusFilter::lowBand(rate), channel.highBand = FocusFilter::highBand(rate);
    return state;
}
} // namespace

// The envelope pass's focus filters: a sample that overflows one (only possible past the input
// ceiling) restarts that channel, filters and followers, as if it began there; the other channel
// runs on as if nothing happened.
TEST(BrokenSamples, AFocusFilterThatOverflowsRestartsItsChannel)
{
    const int overflowAt = 3 * ControlBlock::maxSamples + 50, total = 8 * ControlBlock::maxSamples;
    const std::vector<float> clean[2] = {harness::drumLikeSignal(total, 300, 4),
                                         harness::drumLikeSignal(total, 200, 6)};
    for (int focus : {choiceIndex(Focus::full), choiceIndex(Focus::high)})
    {
        SCOPED_TRACE("focus " + std::to_string(focus));
        std::vector<float> broken[2] = {clean[0], clean[1]};
        broken[0][overflowAt] = FLT_MAX;
        auto state = freshChannels(), undisturbedState = freshChannels(), restartedState = freshChannels();
        const auto got = runEnvelopePass(focus, broken, state);
        const auto undisturbed = runEnvelopePass(focus, clean, undisturbedState);

        // The high band overflows on the sample after the absurd one: from there on, a fresh start.
        const int restart = overflowAt + 1;
        const std::vector<float> restarted[2] = {{clean[0].begin() + restart + 1, clean[0].end()},
                                                 {clean[1].begin() + restart + 1, clean[1].end()}};
        const auto afresh = runEnvelopePass(focus, restarted, restartedState);
        for (int i = 0; i < total; ++i)
        {
            for (int ch = 0; ch < 2; ++ch)
                ASSERT_TRUE(std::isfinite(got.fast[ch][(size_t)i]) && std::isfinite(got.slow[ch][(size_t)i]))
                    << "channel " << ch << ", sample " << i;
            ASSERT_EQ(got.fast[1][(size_t)i], undisturbed.fast[1][(size_t)i]) << "sample " << i;
            ASSERT_EQ(got.slow[1][(size_t)i], undisturbed.slow[1][(size_t)i]) << "sample " << i;
            if (i > restart)
            {
                ASSERT_EQ(got.fast[0][(size_t)i], afresh.fast[0][(size_t)(i - restart - 1)])
                    << "sample " << i;
                ASSERT_EQ(got.slow[0][(size_t)i], afresh.slow[0][(size_t)(i - restart - 1)])
                    << "sample " << i;
            }
        }
        EXPECT_EQ(got.fast[0][(size_t)restart], 0.0f) << "the restart clears the followers";
    }
}

// Behind the ceiling, each state guards itself. High quality's detector (focus filters,
// interpolators, rectifier, followers at four times the rate), given absurd or non-finite samples
// directly: its envelopes stay finite, and unlinked the other channel's are exactly the
// undisturbed ones. A sample the focus filters can take (up to about 1e37) is an impulse to them,
// whose ringing passes through every level on its way down and pumps the followers, as it would
// at Standard (the input ceiling keeps such samples out); one they cannot take (FLT_MAX, inf,
// NaN) restarts the channel, and nothing pumps its followers above what the programme gives.
TEST(BrokenSamples, TheHighDetectorStaysFinite)
{
    const int total = 64 * ControlBlock::maxSamples;
    const std::vector<float> clean[2] = {harness::drumLikeSignal(total, 1200, 4),
                                         harness::drumLikeSignal(total, 900, 6)};
    const auto run = [&](const std::vector<float>(&input)[2], bool linked, DetectorState& state)
    {
        auto path = std::make_unique<OversampledPath>();
        path->prepare(rate);
        Envelopes out;
        envelopePass::Stretch in, fast, slow;
        for (int start = 0; start < total; start += ControlBlock::maxSamples)
        {
            const int n = ControlBlock::maxSamples;
            for (int ch = 0; ch < 2; ++ch)
                std::copy(input[ch].begin() + start, input[ch].begin() + start + n, in[ch]);
            path->detect(Focus::full, Mode::punch, linked, 2, in, fast, slow, n, state);
            for (int ch = 0; ch < 2; ++ch)
            {
                out.fast[ch].insert(out.fast[ch].end(), fast[ch], fast[ch] + n);
                out.slow[ch].insert(out.slow[ch].end(), slow[ch], slow[ch] + n);
            }
        }
        return out;
    };
    const int at = 5 * ControlBlock::maxSamples + 30;
    for (bool linked : {false, true})
    {
        auto cleanState = freshChannels();
        const auto undisturbed = run(clean, linked, cleanState);
        float loudest = 0.0f;
        for (int ch = 0; ch < 2; ++ch)
            loudest = std::max({loudest,
                                *std::max_element(undisturbed.fast[ch].begin(), undisturbed.fast[ch].end()),
                                *std::max_element(undisturbed.slow[ch].begin(), undisturbed.slow[ch].end())});
        for (const auto& d : disturbances())
        {
            SCOPED_TRACE(juce::String(d.name) + " x" + juce::String(d.count) + (linked ? ", linked" : ""));
            std::vector<float> broken[2] = {clean[0], clean[1]};
            for (int k = 0; k < d.count; ++k)
                broken[0][(size_t)(at + k)] = k % 2 == 0 ? d.value : -d.value;
            auto state = freshChannels();
            const auto got = run(broken, linked, state);
            float largest = 0.0f;
            for (int ch = 0; ch < 2; ++ch)
                for (size_t i = 0; i < (size_t)total; ++i)
                {
                    for (float e : {got.fast[ch][i], got.slow[ch][i]})
                    {
                        ASSERT_TRUE(std::isfinite(e)) << "channel " << ch << ", sample " << i;
                        largest = std::max(largest, e);
                    }
                    if (!linked && ch == 1)
                    {
                        ASSERT_EQ(got.fast[1][i], undisturbed.fast[1][i]) << "sample " << i;
                        ASSERT_EQ(got.slow[1][i], undisturbed.slow[1][i]) << "sample " << i;
                    }
                }
            const bool ringsDown = std::abs(d.value) > shaper::inputCeiling && std::abs(d.value) < 1.0e37f;
            if (!ringsDown)
                EXPECT_LE(largest, loudest);
        }
    }
}

// High quality's ceiling ride, given absurd or non-finite wet samples and predictions directly (a
// loud tone it rides all the time): its gain stays finite, so every other output sample does, and
// within 50 ms it rides the tone exactly as it did undisturbed.
TEST(BrokenSamples, TheCeilingRideComesBack)
{
    const int total = 24 * ControlBlock::maxSamples, at = 4 * ControlBlock::maxSamples + 30;
    constexpr int lookAhead = CeilingRide::lookAhead;
    std::vector<float> tone((size_t)(total + lookAhead));
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = 1.4f * (float)std::sin(0.3 * (double)i);
    const std::vector<float> clip(ControlBlock::maxSamples, 1.0f);
    const auto ride = [&](const std::vector<float>& wet)
    {
        CeilingRide ceiling;
        ceiling.prepare(rate);
        std::vector<float> out(wet.begin(), wet.begin() + total);
        for (int start = 0; start < total; start += ControlBlock::maxSamples)
            ceiling.apply(0, out.data() + start, wet.data() + start + lookAhead, clip.data(), 0.01f,
                          ControlBlock::maxSamples);
        return out;
    };
    const auto undisturbed = ride(tone);
    for (const auto& d : disturbances())
    {
        SCOPED_TRACE(juce::String(d.name) + " x" + juce::String(d.count));
        auto wet = tone;
        for (int k = 0; k < d.count; ++k)
            wet[(size_t)(at + k)] = k % 2 == 0 ? d.value : -d.value;
        const auto out = ride(wet);
        for (int i = 0; i < total; ++i)
        {
            if (i >= at && i < at + d.count)
                continue;
            ASSERT_TRUE(std::isfinite(out[(size_t)i])) << "sample " << i;
            if (i >= at + d.count + recovery)
                ASSERT_EQ(out[(size_t)i], undisturbed[(size_t)i]) << "sample " << i;
        }
    }
}
