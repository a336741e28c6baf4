#include "PresetTestSupport.h"

#include "presets/FactoryPresets.h"

namespace
{
struct ExpectedRow
{
    const char* name;
    float power, mode, attack, sustain, sensitivity, focus, punch, clip, mix, output;
};

// clang-format off
const ExpectedRow expectedRows[] = {
    {"Punchy Kicks",   1, 1,  7.5f, -1.5f, 72, 0, 48, 26, 100, 0.5f},
    {"Snare Snap",     1, 1,  8.5f, -3.0f, 70, 2, 38, 18, 100, 0.0f},
    {"Loop Tightener", 1, 0,  4.5f, -4.5f, 62, 1, 20, 10,  92, 0.0f},
    {"Bass Knock",     1, 0,  5.5f,  1.0f, 68, 0, 30, 12, 100, 0.8f},
    {"Smooth Rooms",   1, 2,  1.5f,  3.5f, 42, 1, 10,  6,  88, 0.0f},
    {"Aggro Parallel", 1, 1, 10.0f, -6.0f, 82, 1, 56, 34,  42, 0.0f},
    {"Tame Pokey",     1, 2, -4.5f,  1.5f, 58, 2,  8,  0, 100, 0.0f},
    {"Guitar Push",    1, 0,  3.0f,  2.5f, 55, 2, 24, 14, 100, 0.5f},
};
const ExpectedRow defaultsRow{"", 1, 1, 5.0f, -2.5f, 60, 1, 30, 25, 100, 0.0f};
// clang-format on

void expectParameters(TarvoltAudioProcessor& processor, const ExpectedRow& row)
{
    const std::pair<const char*, float> values[] = {
        {"power", row.power},
        {"mode", row.mode},
        {"attack", row.attack},
        {"sustain", row.sustain},
        {"sensitivity", row.sensitivity},
        {"focus", row.focus},
        {"punch", row.punch},
        {"clip", row.clip},
        {"mix", row.mix},
        {"output", row.output},
    };
    for (const auto& [id, value] : values)
        EXPECT_NEAR(harness::getPlain(processor, id), value, 1.0e-4f) << id;
}
} // namespace

TEST(FactoryPresets, NamesInMenuOrder)
{
    TarvoltAudioProcessor processor;
    juce::StringArray expected;
    for (const auto& row : expectedRows)
        expected.add(row.name);
    EXPECT_EQ(processor.getFactoryPresetNames(), expected);
}

TEST(FactoryPresets, EachPresetSetsItsRowAndBecomesCurrentUnmodified)
{
    for (const auto& row : expectedRows)
    {
        SCOPED_TRACE(row.name);
        TarvoltAudioProcessor processor;
        setUnusualValues(processor);
        ASSERT_EQ(processor.getCurrentPresetDisplayName(), "Presets *");

        ApplyingFlagProbe probe(processor);
        processor.loadFactoryPreset(row.name);

        EXPECT_GE(probe.changes, 8); // all but mode and focus, which may already hold the value
        EXPECT_EQ(probe.changesWhileNotApplying, 0);
        expectParameters(processor, row);
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

        expectParameters(processor, defaultsRow);
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
