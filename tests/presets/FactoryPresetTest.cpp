#include "PresetTestSupport.h"

#include "presets/FactoryPresets.h"

namespace
{
// Every parameter holds the value the row gives it.
void expectRow(TarvoltAudioProcessor& processor, const FactoryPreset& row)
{
    for (auto& spec : parameterSpecs)
        EXPECT_NEAR(harness::getPlain(processor, spec.id), row.valueOf(spec.id), 1.0e-4f) << spec.id;
}

void expectDefaults(TarvoltAudioProcessor& processor)
{
    for (auto& spec : parameterSpecs)
        EXPECT_NEAR(harness::getPlain(processor, spec.id), spec.defaultValue, 1.0e-4f) << spec.id;
}
} // namespace

TEST(FactoryPresets, NamesInTableOrder)
{
    TarvoltAudioProcessor processor;
    juce::StringArray expected;
    for (const auto& row : factoryPresetTable)
        expected.add(row.name);
    EXPECT_EQ(processor.getFactoryPresetNames(), expected);
    EXPECT_EQ(expected.size(), 8);
}

TEST(FactoryPresets, EachPresetSetsItsRowAndBecomesCurrentUnmodified)
{
    for (const auto& row : factoryPresetTable)
    {
        SCOPED_TRACE(row.name);
        TarvoltAudioProcessor processor;
        setUnusualValues(processor);
        ASSERT_EQ(processor.getCurrentPresetDisplayName(), "Presets *");

        ApplyingFlagProbe probe(processor);
        processor.loadFactoryPreset(row.name);

        EXPECT_GE(probe.changes, 8); // all but mode and focus, which may already hold the value
        EXPECT_EQ(probe.changesWhileNotApplying, 0);
        expectRow(processor, row);
        EXPECT_EQ(processor.getCurrentPresetName(), row.name);
        EXPECT_FALSE(processor.isCurrentPresetUser());
        EXPECT_EQ(processor.getCurrentPresetDisplayName(), row.name);
    }
}

TEST(FactoryPresets, AnyOtherNameSetsTheDefaultsAndKeepsTheNameAsWritten)
{
    for (const char* name : {"bass knock", "Bass Knock ", "Unknown", ""})
    {
        SCOPED_TRACE(name);
        TarvoltAudioProcessor processor;
        setUnusualValues(processor);

        processor.loadFactoryPreset(name);

        expectDefaults(processor);
        EXPECT_EQ(processor.getCurrentPresetName(), juce::String(name).isEmpty() ? "Presets" : name);
        EXPECT_FALSE(processor.isCurrentPresetUser());
        EXPECT_EQ(processor.getCurrentPresetDisplayName(), processor.getCurrentPresetName());
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
    processor.loadFactoryPreset("Bass Knock");
    harness::setPlain(processor, "mix", 50.0f);
    EXPECT_EQ(processor.getCurrentPresetDisplayName(), "Bass Knock *");
}
