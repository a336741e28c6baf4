#include "PresetTestSupport.h"

#include "state/FactoryPresets.h"

#include <functional>

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

// The host's program list: the factory presets in the editor's order. Choosing one loads it as the
// editor's menu does; a number outside the list changes nothing; the names stay.
TEST(HostPrograms, TheFactoryPresetsLoadAsFromTheMenu)
{
    TarvoltAudioProcessor processor;
    ASSERT_EQ(processor.getNumPrograms(), 8);
    for (int i = 0; i < processor.getNumPrograms(); ++i)
    {
        const auto name = processor.getState().getFactoryPresetNames()[i];
        SCOPED_TRACE(name);
        EXPECT_EQ(processor.getProgramName(i), name);

        TarvoltAudioProcessor fromHost, fromMenu;
        for (auto* p : {&fromHost, &fromMenu})
            setUnusualValues(*p);
        fromHost.setCurrentProgram(i);
        fromMenu.getState().loadFactoryPreset(name);
        EXPECT_TRUE(fromHost.getState().getParameterValues() == fromMenu.getState().getParameterValues());
        EXPECT_EQ(fromHost.getState().getCurrentPresetDisplayName(), name);
        EXPECT_EQ(fromHost.getCurrentProgram(), i);
    }

    processor.getState().loadFactoryPreset("Bass Knock");
    harness::setPlain(processor, ParameterIDs::attack, 9.0f);
    const auto before = processor.getState().getParameterValues();
    for (int outside : {-1, 8})
        processor.setCurrentProgram(outside);
    processor.changeProgramName(3, "Renamed");
    EXPECT_TRUE(processor.getState().getParameterValues() == before);
    EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), "Bass Knock *");
    EXPECT_EQ(processor.getProgramName(3), "Bass Knock");
    EXPECT_EQ(processor.getProgramName(8), "");
}

namespace
{
// What the host hears of program changes.
struct ProgramChanges final : juce::AudioProcessorListener
{
    explicit ProgramChanges(juce::AudioProcessor& p) : processor(p) { processor.addListener(this); }
    ~ProgramChanges() override { processor.removeListener(this); }
    void audioProcessorParameterChanged(juce::AudioProcessor*, int, float) override {}
    void audioProcessorChanged(juce::AudioProcessor*, const ChangeDetails& details) override
    {
        if (details.programChanged)
            ++count;
    }
    juce::AudioProcessor& processor;
    int count = 0;
};
} // namespace

// The current program is the factory preset the parameters came from, changed since or not, the
// first with a user preset or none; the host hears when it changes. A restored state brings its
// own and keeps its values.
TEST(HostPrograms, TheCurrentProgramFollowsThePresetAndTheHostHearsOfIt)
{
    TestPresetRoot root;
    TarvoltAudioProcessor processor;
    root.attach(processor);
    ProgramChanges told(processor);
    EXPECT_EQ(processor.getCurrentProgram(), 0); // no preset chosen

    struct Step
    {
        const char* what;
        std::function<void()> act;
        int program;
        int toldSoFar;
    };
    const Step steps[] = {
        {"a factory preset from the menu", [&] { processor.getState().loadFactoryPreset("Smooth Rooms"); }, 4, 1},
        {"a knob moved", [&] { harness::setPlain(processor, ParameterIDs::punch, 70.0f); }, 4, 1},
        {"saved as a user preset", [&] { processor.getState().saveUserPreset("Mine"); }, 0, 2},
        {"the first factory preset", [&] { processor.getState().loadFactoryPreset("Punchy Kicks"); }, 0, 2},
        {"chosen by the host", [&] { processor.setCurrentProgram(6); }, 6, 3},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(processor.getCurrentProgram(), step.program);
        EXPECT_EQ(told.count, step.toldSoFar);
    }

    harness::setPlain(processor, ParameterIDs::attack, -7.0f);
    juce::MemoryBlock state;
    processor.getStateInformation(state);
    TarvoltAudioProcessor restored;
    restored.setStateInformation(state.getData(), (int) state.getSize());
    EXPECT_EQ(restored.getCurrentProgram(), 6);
    EXPECT_EQ(restored.getState().getCurrentPresetDisplayName(), "Tame Pokey *");
    EXPECT_TRUE(restored.getState().getParameterValues() == processor.getState().getParameterValues());
}
