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

juce::AudioBuffer<float> shape(juce::AudioBuffer<float> buffer, StereoLink link, Quality quality)
{
    TarvoltAudioProcessor processor;
    harness::setChoice(processor, link);
    harness::setChoice(processor, quality);
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
    for (Quality quality : {Quality::standard, Quality::high})
    {
        SCOPED_TRACE(quality == Quality::high ? "High" : "Standard");
        const auto input = leftOnlyHit();
        const auto linked = shape(input, StereoLink::on, quality);
        const auto unlinked = shape(input, StereoLink::off, quality);

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
    const auto stereo = shape(leftOnlyHit(), StereoLink::off, Quality::standard);
    juce::AudioBuffer<float> right(1, length);
    right.copyFrom(0, 0, leftOnlyHit(), 1, 0, length);
    const auto alone = shape(right, StereoLink::off, Quality::standard);
    for (int i = 0; i < length; ++i)
        ASSERT_EQ(stereo.getSample(1, i), alone.getSample(0, i)) << "sample " << i;
}

TEST(StereoLink, MonoIsTheSameLinkedOrNot)
{
    juce::AudioBuffer<float> mono(1, length);
    mono.copyFrom(0, 0, leftOnlyHit(), 0, 0, length);
    const auto linked = shape(mono, StereoLink::on, Quality::standard);
    const auto unlinked = shape(mono, StereoLink::off, Quality::standard);
    for (int i = 0; i < length; ++i)
        ASSERT_EQ(linked.getSample(0, i), unlinked.getSample(0, i)) << "sample " << i;
}

namespace
{
// A steady tone of 0.5 at 300 Hz in one channel and a quieter one in the other: the same tone at
// 0.05, or (taking turns at being the louder, sample by sample) 0.3 at 470 Hz.
struct TonePair
{
    const char* name;
    float quietAmplitude;
    double quietHz;
};
constexpr TonePair tonePairs[] = {{"0.05 at 300 Hz", 0.05f, 300.0}, {"0.3 at 470 Hz", 0.3f, 470.0}};

// The tones shaped with the default settings; the link starts at `from` and is switched to `to`
// at block `switchBlock`.
juce::AudioBuffer<float> tonesShaped(const TonePair& tones, int quietChannel, StereoLink from, StereoLink to, Quality quality,
                                     int switchBlock, int blockSize, int samples)
{
    juce::AudioBuffer<float> buffer(2, samples);
    for (int i = 0; i < samples; ++i)
        for (int ch = 0; ch < 2; ++ch)
        {
            const bool quiet = ch == quietChannel;
            const double hz = quiet ? tones.quietHz : 300.0;
            buffer.setSample(ch, i, (quiet ? tones.quietAmplitude : 0.5f)
                                        * (float) std::sin(juce::MathConstants<double>::twoPi * hz * i / rate));
        }

    TarvoltAudioProcessor processor;
    harness::setChoice(processor, from);
    harness::setChoice(processor, quality);
    harness::prepare(processor, 2, rate, blockSize);
    juce::MidiBuffer midi;
    for (int start = 0, block = 0; start < samples; start += blockSize, ++block)
    {
        if (block == switchBlock)
            harness::setChoice(processor, to);
        juce::AudioBuffer<float> view(buffer.getArrayOfWritePointers(), 2, start, std::min(blockSize, samples - start));
        processor.processBlock(view, midi);
    }
    return buffer;
}
} // namespace

// The link is automatable: switching it on or off while steady tones play moves neither
// channel's gain, in any 5 ms window, more than 1 dB away from where a render that started in the
// new state has it, whichever channel is louder. (Switching off gives exactly the unlinked render,
// as each channel's own followers ran on; switching on from the louder channel's envelopes
// gives exactly the linked one where that channel is the louder at every sample.)
TEST(StereoLink, SwitchingTheLinkDoesNotJumpTheLevel)
{
    const int blockSize = 512, switchBlock = 94, samples = 120000, window = 240; // switch after 1 s
    for (const auto& tones : tonePairs)
        for (Quality quality : {Quality::standard, Quality::high})
            for (int quietChannel : {0, 1})
                for (StereoLink to : {StereoLink::on, StereoLink::off})
                {
                    SCOPED_TRACE(juce::String(tones.name) + (quality == Quality::high ? ", High" : ", Standard")
                                 + (quietChannel == 0 ? ", quiet left" : ", quiet right")
                                 + (to == StereoLink::on ? ", switched on" : ", switched off"));
                    const StereoLink from = to == StereoLink::on ? StereoLink::off : StereoLink::on;
                    const auto switched =
                        tonesShaped(tones, quietChannel, from, to, quality, switchBlock, blockSize, samples);
                    const auto settled = tonesShaped(tones, quietChannel, to, to, quality, -1, blockSize, samples);

                    // From the first output sample the switch can reach.
                    const int first = switchBlock * blockSize + TransientShaper::latencyFor(quality);
                    for (int ch = 0; ch < 2; ++ch)
                    {
                        double worst = 0.0;
                        int worstAt = first;
                        for (int start = first; start + window <= samples; start += window)
                        {
                            const double dB = juce::Decibels::gainToDecibels(
                                switched.getRMSLevel(ch, start, window) / settled.getRMSLevel(ch, start, window));
                            if (std::abs(dB) > std::abs(worst))
                                worst = dB, worstAt = start;
                        }
                        EXPECT_LE(std::abs(worst), 1.0) << "channel " << ch << ": " << worst << " dB at "
                                                        << (worstAt - first) * 1000 / (int) rate << " ms";
                    }
                }
}
