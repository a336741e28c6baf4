#include "PresetTestSupport.h"

#include "state/FactoryPresets.h"

namespace
{
// Every parameter factory presets set holds the row's value; every other one what it held before.
void expectRow(TarvoltAudioProcessor& processor, const FactoryPreset& row, const ParameterValues& before)
{
    for (size_t i = 0; i < numParameters; ++i)
    {
        const auto& spec = parameterSpecs[i];
        EXPECT_EQ(row.valueOf(spec.id).has_value(), spec.setByFactoryPresets()) << spec.id;
        EXPECT_NEAR(harness::getPlain(processor, spec.id), row.valueOf(spec.id).value_or(before[i]), 1.0e-4f)
            << spec.id;
    }
}
} // namespace

TEST(FactoryPresets, NamesInTableOrder)
{
    TarvoltAudioProcessor processor;
    juce::StringArray expected;
    for (const auto& row : factoryPresetTable)
        expected.add(row.name);
    EXPECT_EQ(processor.getState().getFactoryPresetNames(), expected);
    EXPECT_EQ(expected.size(), 8);
}

TEST(FactoryPresets, EachPresetSetsItsRowAndBecomesCurrentUnmodified)
{
    for (const auto& row : factoryPresetTable)
    {
        SCOPED_TRACE(row.name);
        TarvoltAudioProcessor processor;
        setUnusualValues(processor);
        ASSERT_EQ(processor.getState().getCurrentPresetDisplayName(), "Presets *");
        const auto before = processor.getState().getParameterValues();

        ApplyingFlagProbe probe(processor);
        processor.getState().loadFactoryPreset(row.name);

        EXPECT_GE(probe.changes, 8); // all but mode and focus, which may already hold the value
        EXPECT_EQ(probe.changesWhileNotApplying, 0);
        expectRow(processor, row, before);
        EXPECT_EQ(processor.getState().getCurrentPresetName(), row.name);
        EXPECT_FALSE(processor.getState().isCurrentPresetUser());
        EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), row.name);
    }
}

TEST(FactoryPresets, AnyOtherNameSetsTheDefaultsAndKeepsTheNameAsWritten)
{
    for (const char* name : {"bass knock", "Bass Knock ", "Unknown", ""})
    {
        SCOPED_TRACE(name);
        TarvoltAudioProcessor processor;
        setUnusualValues(processor);
        const auto before = processor.getState().getParameterValues();

        processor.getState().loadFactoryPreset(name);

        for (size_t i = 0; i < numParameters; ++i)
        {
            const auto& spec = parameterSpecs[i];
            EXPECT_NEAR(harness::getPlain(processor, spec.id),
                        spec.setByFactoryPresets() ? spec.defaultValue : before[i], 1.0e-4f)
                << spec.id;
        }
        EXPECT_EQ(processor.getState().getCurrentPresetName(), juce::String(name).isEmpty() ? "Presets" : name);
        EXPECT_FALSE(processor.getState().isCurrentPresetUser());
        EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), processor.getState().getCurrentPresetName());
    }
}

// Quality is an engine setting and the link the user's choice: browsing the factory presets
// leaves both as they are, and with Quality the latency the host compensates.
TEST(FactoryPresets, LeaveQualityAndStereoLinkAsTheyAre)
{
    auto names = factoryPresetNames();
    names.add("Unknown"); // the row of defaults
    for (const auto& name : names)
    {
        SCOPED_TRACE(name);
        TarvoltAudioProcessor processor;
        harness::setPlain(processor, ParameterIDs::quality, (float) choiceIndex(Quality::high));
        harness::setPlain(processor, ParameterIDs::link, (float) choiceIndex(StereoLink::on));
        const int latency = processor.getLatencySamples();
        ASSERT_GT(latency, 0);

        processor.getState().loadFactoryPreset(name);

        EXPECT_EQ(harness::getPlain(processor, ParameterIDs::quality), (float) choiceIndex(Quality::high));
        EXPECT_EQ(harness::getPlain(processor, ParameterIDs::link), (float) choiceIndex(StereoLink::on));
        EXPECT_EQ(processor.getLatencySamples(), latency);
    }
}

TEST(FactoryPresets, LookupIsExact)
{
    EXPECT_TRUE(isFactoryPresetName("Snare Snap"));
    EXPECT_FALSE(isFactoryPresetName("snare snap"));
    EXPECT_FALSE(isFactoryPresetName("Snare Snap "));
    EXPECT_FALSE(isFactoryPresetName(""));
}

TEST(FactoryPresets, ParameterChangesAfterLoadingMarkThePresetModified)
{
    TarvoltAudioProcessor processor;
    processor.getState().loadFactoryPreset("Bass Knock");
    harness::setPlain(processor, "mix", 50.0f);
    EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), "Bass Knock *");
}
