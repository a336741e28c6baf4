// The stereo link: one detector for both channels, so a hit on one side moves the other side's
// gain in step.

#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

namespace
{
constexpr double rate = 48000.0;
constexpr int length = 48000;
constexpr int burstStart = 9600, burstEnd = 9600 + 1440; // a 30 ms hit

// A quiet 200 Hz bed in both channels; the left one also carries a noise hit that ends in silence.
juce::AudioBuffer<float> leftOnlyHit()
{
    juce::AudioBuffer<float> buffer(2, length);
    juce::Random random(11);
    for (int i = 0; i < length; ++i)
    {
        const float bed = 0.05f * std::sin(juce::MathConstants<float>::twoPi * 200.0f * (float) i / (float) rate);
        const bool inHit = i >= burstStart && i < burstEnd;
        buffer.setSample(0, i, bed + (inHit ? 0.8f * (random.nextFloat() * 2.0f - 1.0f) : 0.0f));
        buffer.setSample(1, i, bed);
    }
    return buffer;
}

juce::AudioBuffer<float> shape(juce::AudioBuffer<float> buffer, int link, int quality)
{
    TarvoltAudioProcessor processor;
    harness::setPlain(processor, ParameterIDs::link, (float) link);
    harness::setPlain(processor, ParameterIDs::quality, (float) quality);
    harness::prepare(processor, buffer.getNumChannels(), rate);
    harness::processInBlocks(processor, buffer, 512);
    return buffer;
}
} // namespace

// Once the hit is over, both channels carry the same samples again: linked, they also get the
// same gain at every sample, so their outputs are equal to the last bit while the hit's
// envelopes decay; unlinked, the right channel never saw the hit.
TEST(StereoLink, ALeftOnlyHitGivesTheRightChannelTheLeftsGain)
{
    for (int quality : {QualityIndex::standard, QualityIndex::high})
    {
        SCOPED_TRACE(quality == QualityIndex::high ? "High" : "Standard");
        const auto input = leftOnlyHit();
        const auto linked = shape(input, LinkIndex::on, quality);
        const auto unlinked = shape(input, LinkIndex::off, quality);

        // The High path's filters still hold the hit for a while after it: from then on.
        const int from = burstEnd + 4 * TransientShaper::latencyFor(quality);
        float rightMoved = 0.0f, unlinkedApart = 0.0f;
        for (int i = from; i < length; ++i)
        {
            ASSERT_EQ(linked.getSample(0, i), linked.getSample(1, i)) << "sample " << i;
            rightMoved = std::max(rightMoved, std::abs(linked.getSample(1, i) - unlinked.getSample(1, i)));
            unlinkedApart = std::max(unlinkedApart, std::abs(unlinked.getSample(0, i) - unlinked.getSample(1, i)));
        }
        EXPECT_GT(rightMoved, 0.005f) << "the left hit moves the right channel's gain";
        EXPECT_GT(unlinkedApart, 0.005f) << "unlinked, the channels go their own ways";
    }
}

TEST(StereoLink, UnlinkedTheRightChannelIsShapedAsIfAlone)
{
    const auto stereo = shape(leftOnlyHit(), LinkIndex::off, QualityIndex::standard);
    juce::AudioBuffer<float> right(1, length);
    right.copyFrom(0, 0, leftOnlyHit(), 1, 0, length);
    const auto alone = shape(right, LinkIndex::off, QualityIndex::standard);
    for (int i = 0; i < length; ++i)
        ASSERT_EQ(stereo.getSample(1, i), alone.getSample(0, i)) << "sample " << i;
}

TEST(StereoLink, MonoIsTheSameLinkedOrNot)
{
    juce::AudioBuffer<float> mono(1, length);
    mono.copyFrom(0, 0, leftOnlyHit(), 0, 0, length);
    const auto linked = shape(mono, LinkIndex::on, QualityIndex::standard);
    const auto unlinked = shape(mono, LinkIndex::off, QualityIndex::standard);
    for (int i = 0; i < length; ++i)
        ASSERT_EQ(linked.getSample(0, i), unlinked.getSample(0, i)) << "sample " << i;
}
