// Broken samples: one sample, or a burst, that no real audio contains (far beyond full scale or
// not a number at all), and denormals. The shaping must come back at once, in both qualities,
// linked or not, and power off and mix 0 must keep passing the input through.

#include "common/ProcessorHarness.h"
#include "dsp/EnvelopePass.h"
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

// Behind the ceiling, each state guards itself. The High path's peak finder: absurd detection
// values (the square of 3e20 next to 3.2e20 overflows a float) and non-finite ones give finite
// peaks, and the peaks of base samples a hold's length away from them are untouched.
TEST(BrokenSamples, ThePeakFinderStaysFinite)
{
    using shaping::peakHold;
    const float inf = std::numeric_limits<float>::infinity();
    const float absurd[][shaping::peakPhases] = {
        {3.0e20f, 3.2e20f, 1.0f, 0.5f},
        {FLT_MAX, inf, std::numeric_limits<float>::quiet_NaN(), -FLT_MAX},
        {-1.0e30f, 1.0e30f, -inf, 0.2f}};
    const int at[] = {40, 60, 127};
    const auto best = shaping::activeInstructionSet();
    for (const auto set :
         {shaping::InstructionSet::generic, shaping::InstructionSet::avx2, shaping::InstructionSet::avx512})
    {
        if (!shaping::isSupported(set))
            continue;
        SCOPED_TRACE(shaping::nameOf(set));
        shaping::use(set);
        const auto& kernels = shaping::activeKernels();

        float phases[shaping::peakPhases][ControlBlock::maxSamples],
            broken[shaping::peakPhases][ControlBlock::maxSamples];
        for (int p = 0; p < shaping::peakPhases; ++p)
            for (int i = 0; i < ControlBlock::maxSamples; ++i)
                phases[p][i] = broken[p][i] = 0.5f * std::sin(0.3f * (float)(4 * i + p));
        for (size_t k = 0; k < std::size(at); ++k)
            for (int p = 0; p < shaping::peakPhases; ++p)
                broken[p][at[k]] = absurd[k][p];

        shaping::PeakState cleanState, brokenState;
        float cleanPeaks[2][ControlBlock::maxSamples], brokenPeaks[2][ControlBlock::maxSamples];
        for (int stretch = 0; stretch < 2; ++stretch) // the second one shows what the state carried over
        {
            kernels.peaks(phases, cleanState, cleanPeaks[stretch], ControlBlock::maxSamples);
            kernels.peaks(stretch == 0 ? broken : phases, brokenState, brokenPeaks[stretch],
                          ControlBlock::maxSamples);
        }
        for (int stretch = 0; stretch < 2; ++stretch)
            for (int i = 0; i < ControlBlock::maxSamples; ++i)
            {
                const float peak = brokenPeaks[stretch][i];
                EXPECT_TRUE(std::isfinite(peak)) << "stretch " << stretch << ", sample " << i;
                const int position = stretch * ControlBlock::maxSamples + i;
                const bool near =
                    std::any_of(std::begin(at), std::end(at),
                                [&](int a) { return position >= a && position <= a + peakHold; });
                if (!near)
                    EXPECT_EQ(peak, cleanPeaks[stretch][i]) << "stretch " << stretch << ", sample " << i;
            }
    }
    shaping::use(best);
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
