// Standard and High quality side by side: both shape to the same loudness, and High's transient
// amount does not beat with the sampling on high tones. The measures are the bench program's
// (tests/common/QualityComparison.h).

#include "common/QualityComparison.h"

#include <gtest/gtest.h>

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
        const auto high = quality::toneTransients(c.rate, c.hz, QualityIndex::high);
        EXPECT_LT(high.beat, 0.0002f);
        EXPECT_NEAR(high.mean, quality::toneTransients(c.rate, 1000.0, QualityIndex::high).mean, 0.01f);
        EXPECT_GT(quality::toneTransients(c.rate, c.hz, QualityIndex::standard).beat, 0.001f)
            << "the measure no longer sees Standard's beat";
    }
}
