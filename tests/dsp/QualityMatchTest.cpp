// Standard and High quality side by side: at clip 100 both keep the output under full scale, both
// shape to the same loudness, and High's transient amount does not beat with the sampling on high
// tones. The measures are the bench program's (tests/common/QualityComparison.h).

#include "common/QualityComparison.h"

#include <gtest/gtest.h>

namespace
{
const char* nameOf(Quality q)
{
    return q == Quality::high ? "High" : "Standard";
}
} // namespace

// With the clip at 100 (output 0 dB, mix 100) no output sample goes more than 0.1 dB over full
// scale, in either quality, at any rate, however loud the input.
TEST(QualityMatch, ClipAt100KeepsTheOutputUnderFullScale)
{
    struct Case
    {
        const char* name;
        quality::Settings settings;
        juce::AudioBuffer<float> (*make)(double rate);
    };
    const Case cases[] = {
        {"drums, punch 100",
         {{ParameterIDs::punch, 100.0f}},
         [](double r) { return quality::drums(r, 0.0f, 4.0); }},
        {"15 kHz sine at -6 dBFS", {}, [](double r) { return quality::sine(r, 15000.0, -6.0f, 1.0); }},
        {"15 kHz sine at +12 dBFS", {}, [](double r) { return quality::sine(r, 15000.0, 12.0f, 1.0); }},
        {"white noise at +12 dBFS", {}, [](double r) { return quality::uniformNoise(r, 12.0f, 1.0); }},
        {"drums at +12 dBFS", {}, [](double r) { return quality::drums(r, 12.0f, 4.0); }},
    };
    const float ceiling = juce::Decibels::decibelsToGain(0.1f);
    for (double rate : {44100.0, 48000.0, 96000.0})
        for (const auto& c : cases)
        {
            const auto input = c.make(rate);
            for (Quality q : {Quality::standard, Quality::high})
            {
                auto settings = c.settings;
                settings.push_back({ParameterIDs::clip, 100.0f});
                const auto out = quality::shaped(input, rate, quality::valuesOf(q, settings));
                EXPECT_LE(quality::samplePeak(out), ceiling)
                    << c.name << ", " << nameOf(q) << ", " << rate
                    << " Hz: " << quality::samplesAbove(out, ceiling) << " samples over";
            }
        }
}

// The clip moved to 100 while a loud 15 kHz tone plays, whose oversampled clip overshoots full
// scale at every cycle once filtered down: High's ceiling holds from the moment the clip's ramp
// reaches 100, while the decimator still holds samples clipped less (and the gains planned
// before had nothing to ride).
TEST(QualityMatch, TheCeilingHoldsFromTheMomentTheClipReaches100)
{
    const double rate = 48000.0;
    auto buffer = quality::sine(rate, 15000.0, 6.0f, 0.5);
    TransientShaper shaper;
    auto values =
        quality::valuesOf(Quality::high, {{ParameterIDs::attack, 12.0f}, {ParameterIDs::clip, 50.0f}});
    shaper.prepare(rate, shaperSettingsFrom(values));
    const int blockSize = 64, change = 100 * blockSize, reached = change + (int)std::ceil(0.03 * rate);
    juce::dsp::AudioBlock<float> block(buffer);
    for (int start = 0; start < buffer.getNumSamples(); start += blockSize)
    {
        if (start == change)
            values.set(ParameterIDs::clip, 100.0f);
        shaper.process(block.getSubBlock((size_t)start, (size_t)blockSize), shaperSettingsFrom(values));
    }
    float before = 0.0f, after = 0.0f;
    for (int ch = 0; ch < 2; ++ch)
    {
        before = std::max(before, buffer.getMagnitude(ch, change - blockSize, blockSize));
        after = std::max(after, buffer.getMagnitude(ch, reached, buffer.getNumSamples() - reached));
    }
    EXPECT_GT(before, 1.5f) << "at clip 50 the tone goes well over full scale";
    EXPECT_LE(after, juce::Decibels::decibelsToGain(0.1f));
}

// Switching the quality does not change the loudness: the RMS of High and Standard differ by at
// most 0.2 dB on drums and on white noise, at the defaults and with attack and sustain at their
// opposite extremes, fully wet and half mixed.
TEST(QualityMatch, BothQualitiesShapeToTheSameLoudness)
{
    const double rate = 48000.0;
    const auto drums = quality::drums(rate, 0.0f, 4.0);
    const auto noise = quality::gaussianNoise(rate, -16.0f, 2.0);
    struct Material
    {
        const char* name;
        const juce::AudioBuffer<float>& input;
        float mix;
    };
    const Material materials[] = {
        {"drums", drums, 100.0f}, {"noise, mix 100", noise, 100.0f}, {"noise, mix 50", noise, 50.0f}};
    struct Setting
    {
        const char* name;
        quality::Settings settings;
    };
    const Setting settings[] = {
        {"defaults", {}},
        {"attack -12, sustain +12", {{ParameterIDs::attack, -12.0f}, {ParameterIDs::sustain, 12.0f}}},
        {"attack +12, sustain -12", {{ParameterIDs::attack, 12.0f}, {ParameterIDs::sustain, -12.0f}}},
    };
    for (const auto& m : materials)
        for (const auto& s : settings)
        {
            auto all = s.settings;
            all.push_back({ParameterIDs::mix, m.mix});
            EXPECT_NEAR(quality::levelDifferenceDb(m.input, rate, all), 0.0, 0.2) << m.name << ", " << s.name;
        }
}

// A steady high tone's transient amount holds still at High: its average over each millisecond
// moves by less than 0.0002 once settled, and it settles where a 1 kHz tone's does. Standard's,
// whose samples fall on the tone's crests at a slowly wandering phase, beats: these are tones
// where its millisecond average moves by 0.001 to 0.04.
TEST(QualityMatch, HighTonesTransientAmountDoesNotBeatWithTheSampling)
{
    struct Case
    {
        double rate, hz;
    };
    const Case cases[] = {{44100.0, 7300.0},  {44100.0, 15000.0}, {44100.0, 15100.0}, {48000.0, 7300.0},
                          {48000.0, 12100.0}, {48000.0, 18100.0}, {96000.0, 12100.0}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.hz) + " Hz at " + juce::String(c.rate) + " Hz");
        const auto high = quality::toneTransients(c.rate, c.hz, Quality::high);
        EXPECT_LT(high.beat, 0.0002f);
        EXPECT_NEAR(high.mean, quality::toneTransients(c.rate, 1000.0, Quality::high).mean, 0.01f);
        EXPECT_GT(quality::toneTransients(c.rate, c.hz, Quality::standard).beat, 0.001f)
            << "the measure no longer sees Standard's beat";
    }
}
