#include "common/ProcessorHarness.h"
#include "dsp/LevelMeters.h"

#include <gtest/gtest.h>

TEST(LevelMeter, PositionMapping)
{
    struct Case
    {
        float sample, position, tolerance;
    };
    const Case cases[] = {
        {0.5f, 0.89966f, 5e-6f},   {-0.5f, 0.89966f, 5e-6f}, {1.0f, 1.0f, 0.0f},     {3.0f, 1.0f, 0.0f},
        {0.0f, 0.0f, 0.0f},        {1.0e-6f, 0.0f, 0.0f},    {-1.0e-6f, 0.0f, 0.0f}, {1.1e-6f, 0.0f, 0.0f},
        {0.001f, 0.0f, 1e-5f},     {0.0316228f, 0.5f, 1e-5f}, {0.0005f, 0.0f, 0.0f},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(meterPosition(c.sample), c.position, c.tolerance) << c.sample;
}

namespace
{
void processSamples(TarvoltAudioProcessor& processor, int channels, const std::vector<float>& samples)
{
    auto buffer = harness::makeBuffer(channels, samples);
    juce::MidiBuffer midi;
    processor.processBlock(buffer, midi);
}
} // namespace

TEST(LevelMeter, InstantRiseAndDecayPerBlock)
{
    TarvoltAudioProcessor processor;
    harness::setPlain(processor, "power", 0.0f); // output equals input: both meters see the same
    harness::prepare(processor, 2, 48000.0);

    std::vector<float> block(256, 0.0f);
    block[100] = 1.0f;
    processSamples(processor, 2, block);
    EXPECT_EQ(processor.getMeters().getInputLevel(0), 1.0f);
    EXPECT_EQ(processor.getMeters().getOutputLevel(1), 1.0f);

    float expected = 1.0f;
    for (int i = 0; i < 5; ++i)
    {
        processSamples(processor, 2, std::vector<float>(256, 0.0f));
        expected *= 0.86f;
        EXPECT_FLOAT_EQ(processor.getMeters().getInputLevel(0), expected);
        EXPECT_FLOAT_EQ(processor.getMeters().getOutputLevel(1), expected);
    }

    processSamples(processor, 2, {}); // an empty block still decays
    EXPECT_FLOAT_EQ(processor.getMeters().getInputLevel(1), expected * 0.86f);

    processSamples(processor, 2, std::vector<float>(64, 0.5f));
    EXPECT_NEAR(processor.getMeters().getInputLevel(0), 0.89966f, 5e-6f) << "a louder block rises at once";
}

TEST(LevelMeter, ChannelAccessorsClamp)
{
    TarvoltAudioProcessor processor;
    harness::prepare(processor, 2, 48000.0);
    auto buffer = harness::makeBuffer(2, std::vector<float>(32, 0.0f));
    buffer.setSample(0, 3, 1.0f);
    buffer.setSample(1, 3, 0.5f);
    juce::MidiBuffer midi;
    processor.processBlock(buffer, midi);

    EXPECT_EQ(processor.getMeters().getInputLevel(-3), processor.getMeters().getInputLevel(0));
    EXPECT_EQ(processor.getMeters().getInputLevel(7), processor.getMeters().getInputLevel(1));
    EXPECT_EQ(processor.getMeters().getOutputLevel(-1), processor.getMeters().getOutputLevel(0));
    EXPECT_EQ(processor.getMeters().getOutputLevel(2), processor.getMeters().getOutputLevel(1));
    EXPECT_NE(processor.getMeters().getInputLevel(0), processor.getMeters().getInputLevel(1));
}

TEST(LevelMeter, PrepareLeavesTheLevelsAlone)
{
    TarvoltAudioProcessor processor;
    harness::prepare(processor, 2, 48000.0);
    processSamples(processor, 2, std::vector<float>(16, 0.25f));
    const float level = processor.getMeters().getInputLevel(0);
    ASSERT_GT(level, 0.0f);
    processor.prepareToPlay(44100.0, 512);
    EXPECT_EQ(processor.getMeters().getInputLevel(0), level);
}
