#include "PresetTestSupport.h"

namespace
{
struct UserPresets : ::testing::Test
{
    UserPresets() { root.attach(processor); }

    void expectCurrent(const juce::String& name, bool isUser, bool modified)
    {
        EXPECT_EQ(processor.getState().getCurrentPresetName(), name);
        EXPECT_EQ(processor.getState().isCurrentPresetUser(), isUser);
        EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), modified ? name + " *" : name);
    }

    // Saves presets under the names in turn (the last becomes current), then edits a parameter.
    void saveInTurnThenEdit(std::initializer_list<const char*> names)
    {
        for (auto name : names)
            ASSERT_TRUE(processor.getState().saveUserPreset(name));
        harness::setPlain(processor, "clip", 3.0f);
    }

    TestPresetRoot root;
    TarvoltAudioProcessor processor;
};
} // namespace

TEST_F(UserPresets, SavingUsesTheSanitisedFileNameAndKeepsTheNameAsTyped)
{
    harness::setPlain(processor, "attack", 3.0f);

    ASSERT_TRUE(processor.getState().saveUserPreset("Kick/Snare"));

    EXPECT_TRUE(root.presetFolder().getChildFile("KickSnare.xml").existsAsFile());
    expectCurrent("Kick/Snare", true, false);
    EXPECT_EQ(processor.getState().getUserPresetNames(), juce::StringArray({"KickSnare"}));
}

TEST_F(UserPresets, ANameOfDroppedCharactersIsSavedAsPreset)
{
    ASSERT_TRUE(processor.getState().saveUserPreset("???"));
    EXPECT_TRUE(root.presetFolder().getChildFile("Preset.xml").existsAsFile());
    expectCurrent("???", true, false);
}

TEST_F(UserPresets, SavingOverAnExistingPresetReplacesIt)
{
    harness::setPlain(processor, "attack", 1.0f);
    ASSERT_TRUE(processor.getState().saveUserPreset("Drums"));
    harness::setPlain(processor, "attack", 2.0f);
    ASSERT_TRUE(processor.getState().saveUserPreset("Drums"));
    harness::setPlain(processor, "attack", -9.0f);

    ASSERT_TRUE(processor.getState().loadUserPreset("Drums"));
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 2.0f);
    EXPECT_EQ(processor.getState().getUserPresetNames(), juce::StringArray({"Drums"}));
}

TEST_F(UserPresets, LoadingRestoresEveryParameterUnmarkedWithoutSuspendingProcessing)
{
    setUnusualValues(processor);
    ASSERT_TRUE(processor.getState().saveUserPreset("Unusual"));
    const auto saved = processor.getState().parameters.copyState();
    processor.getState().loadFactoryPreset("Aggro Parallel");

    ApplyingFlagProbe probe(processor);
    ASSERT_TRUE(processor.getState().loadUserPreset("Unusual"));

    EXPECT_GE(probe.changes, 8);
    EXPECT_EQ(probe.changesWhileNotApplying, 0);
    EXPECT_EQ(probe.changesWhileSuspended, 0) << "the host would play silence meanwhile";
    EXPECT_FALSE(processor.isSuspended());
    EXPECT_TRUE(processor.getState().parameters.copyState().isEquivalentTo(saved));
    expectCurrent("Unusual", true, false);
}

TEST_F(UserPresets, AFailedLoadChangesNothing)
{
    root.writePresetFile("Broken.xml", "<PARAMETERS><PARAM id=\"attack\" value=\"1\"/>");
    root.presetFolder().getChildFile("Folder.xml").createDirectory();
    processor.getState().loadFactoryPreset("Snare Snap");
    harness::setPlain(processor, "mix", 40.0f);
    const auto before = observableState(processor);

    for (auto name : {"Missing", "Broken", "Folder"})
    {
        EXPECT_FALSE(processor.getState().loadUserPreset(name)) << name;
        EXPECT_EQ(observableState(processor), before) << name;
    }
    EXPECT_FALSE(processor.isSuspended());
}

TEST_F(UserPresets, MissingEntriesKeepTheirValuesEntriesWithoutValueTakeTheDefaultUnknownIdsStayInert)
{
    root.writePresetFile("Partial.xml", presetDocument("<PARAM id=\"attack\" value=\"3\"/>\n"
                                                       "<PARAM id=\"sustain\"/>\n"
                                                       "<PARAM id=\"bogus\" value=\"7\"/>"));
    setUnusualValues(processor);
    const float unusualMix = harness::getPlain(processor, "mix");

    ASSERT_TRUE(processor.getState().loadUserPreset("Partial"));

    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 3.0f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "sustain"), -2.5f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "mix"), unusualMix);
    EXPECT_FALSE(processor.getState().isPowerOn());
    const auto tree = processor.getState().parameters.copyState();
    EXPECT_TRUE(tree.getChildWithProperty("id", "bogus").isValid());
    EXPECT_EQ(tree.getNumChildren(), (int)numParameters + 1)
        << "the missing parameters are added back to the tree";
}

// Presets and projects saved before Quality and Stereo Link existed hold the first ten parameters
// only: they sounded with the link off, and load so, whatever is set now. Quality, an engine
// setting, stays as it is when such a preset loads, while such a project comes back at Standard,
// as it sounded. (A missing one of the first ten keeps its value, as above.)
TEST_F(UserPresets, AFileFromBeforeQualityAndLinkLoadsTheLinkOffAndQualityAsAProjectHadIt)
{
    juce::String tenParameters;
    for (size_t i = 0; i < 10; ++i)
        tenParameters << "<PARAM id=\"" << parameterSpecs[i].id << "\" value=\"" << parameterSpecs[i].defaultValue
                      << "\"/>\n";
    root.writePresetFile("Old.xml", presetDocument(tenParameters));
    juce::MemoryBlock oldState;
    juce::AudioProcessor::copyXmlToBinary(*juce::parseXML("<PARAMETERS>" + tenParameters + "</PARAMETERS>"), oldState);

    for (const bool fromPreset : {true, false})
    {
        SCOPED_TRACE(fromPreset ? "user preset" : "host state");
        harness::setPlain(processor, ParameterIDs::quality, (float) choiceIndex(Quality::high));
        harness::setPlain(processor, ParameterIDs::link, (float) choiceIndex(StereoLink::on));
        if (fromPreset)
            ASSERT_TRUE(processor.getState().loadUserPreset("Old"));
        else
            processor.setStateInformation(oldState.getData(), (int) oldState.getSize());
        const Quality quality = fromPreset ? Quality::high : Quality::standard;
        EXPECT_EQ(harness::getPlain(processor, ParameterIDs::quality), (float)choiceIndex(quality));
        EXPECT_EQ(harness::getPlain(processor, ParameterIDs::link), (float) choiceIndex(StereoLink::off));
        EXPECT_EQ(processor.getLatencySamples(), TransientShaper::latencyFor(quality));
    }
}

// A user preset stores every parameter. Loading it restores the link, part of the sound, and
// leaves Quality, an engine setting, as it is; a host state restores both, so a project comes
// back exactly.
TEST_F(UserPresets, QualityStaysAsItIsWhileTheLinkComesBackAndAHostStateRestoresBoth)
{
    struct Settings
    {
        Quality quality;
        StereoLink link;
    };
    const Settings high{Quality::high, StereoLink::on}, standard{Quality::standard, StereoLink::off};
    const std::pair<Settings, Settings> savedThenCurrent[] = {{high, standard}, {standard, high}};
    const auto set = [this](Settings s)
    {
        harness::setChoice(processor, s.quality);
        harness::setChoice(processor, s.link);
    };

    for (const auto& [saved, current] : savedThenCurrent)
        for (const bool fromPreset : {true, false})
        {
            SCOPED_TRACE(juce::String(fromPreset ? "user preset" : "host state") + " saved at quality " +
                         juce::String(choiceIndex(saved.quality)));
            set(saved);
            ASSERT_TRUE(processor.getState().saveUserPreset("Stored"));
            const auto xml = juce::parseXML(root.presetFolder().getChildFile("Stored.xml"));
            ASSERT_NE(xml, nullptr);
            for (const auto& [id, value] :
                 {std::pair{ParameterIDs::quality, choiceIndex(saved.quality)}, {ParameterIDs::link, choiceIndex(saved.link)}})
            {
                const auto* entry = xml->getChildByAttribute("id", id);
                ASSERT_NE(entry, nullptr) << id << " is stored";
                EXPECT_EQ(entry->getIntAttribute("value", -1), value) << id;
            }
            juce::MemoryBlock state;
            processor.getStateInformation(state);

            set(current);
            if (fromPreset)
                ASSERT_TRUE(processor.getState().loadUserPreset("Stored"));
            else
                processor.setStateInformation(state.getData(), (int)state.getSize());

            const Quality quality = fromPreset ? current.quality : saved.quality;
            EXPECT_EQ(harness::getPlain(processor, ParameterIDs::quality), (float)choiceIndex(quality));
            EXPECT_EQ(harness::getPlain(processor, ParameterIDs::link), (float)choiceIndex(saved.link));
            EXPECT_EQ(processor.getLatencySamples(), TransientShaper::latencyFor(quality));
        }
}

TEST_F(UserPresets, ValuesAParameterCannotTakeAreClampedOrDefaulted)
{
    root.writePresetFile("Wild.xml", presetDocument("<PARAM id=\"attack\" value=\"50\"/>\n"
                                                    "<PARAM id=\"sustain\" value=\"nan\"/>\n"
                                                    "<PARAM id=\"mix\" value=\"-inf\"/>\n"
                                                    "<PARAM id=\"mode\" value=\"7\"/>\n"
                                                    "<PARAM id=\"output\" value=\"1e999\"/>"));
    setUnusualValues(processor);

    ASSERT_TRUE(processor.getState().loadUserPreset("Wild"));

    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 12.0f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "sustain"), -2.5f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "mix"), 100.0f) << "not a finite number: the default";
    EXPECT_EQ(processor.getState().getParameterValues().choice<Mode>(), Mode::smooth);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "output"), 0.0f) << "not a finite number: the default";
}

TEST_F(UserPresets, SavingWithoutADataFolderFailsAndKeepsTheCurrentPreset)
{
    processor.getState().getPresetStore().setRootFolder(juce::File());
    processor.getState().loadFactoryPreset("Bass Knock");
    harness::setPlain(processor, "attack", 0.0f);

    EXPECT_FALSE(processor.getState().saveUserPreset("Mine"));
    EXPECT_FALSE(processor.getState().loadUserPreset("Mine"));
    EXPECT_TRUE(processor.getState().getUserPresetNames().isEmpty());
    expectCurrent("Bass Knock", false, true);
}

TEST_F(UserPresets, DeletingTheCurrentUserPresetComparesNamesIgnoringCase)
{
    ASSERT_TRUE(processor.getState().saveUserPreset("Kick"));
    processor.getState().getCurrentPreset().set("KICK", true, true); // as a restored host state may name it

    ASSERT_TRUE(processor.getState().deleteUserPreset("Kick"));
    expectCurrent("Presets", false, false);
    EXPECT_FALSE(processor.getState().deleteUserPreset("Kick"));
}

TEST_F(UserPresets, DeletingByTheListedNameResetsTheCurrentPresetSavedUnderAnotherSpelling)
{
    ASSERT_TRUE(processor.getState().saveUserPreset("Kick/Snare"));
    ASSERT_TRUE(processor.getState().deleteUserPreset(processor.getState().getUserPresetNames()[0]));
    expectCurrent("Presets", false, false);
}

TEST_F(UserPresets, DeletingAnotherPresetOrAFactoryNamesakeLeavesTheCurrentPresetAlone)
{
    saveInTurnThenEdit({"Other", "Snare Snap", "Mine"});

    ASSERT_TRUE(processor.getState().deleteUserPreset("Other"));
    expectCurrent("Mine", true, true);

    processor.getState().loadFactoryPreset("Snare Snap");
    ASSERT_TRUE(processor.getState().deleteUserPreset("Snare Snap"));
    expectCurrent("Snare Snap", false, false);
}

TEST_F(UserPresets, RenamingTheCurrentUserPresetMakesTheNewNameCurrentAndClearsTheMark)
{
    ASSERT_TRUE(processor.getState().saveUserPreset("a"));
    harness::setPlain(processor, "punch", 70.0f);
    processor.getState().getCurrentPreset().set("A", true, true);

    ASSERT_TRUE(processor.getState().renameUserPreset("a", "Big Kick"));
    expectCurrent("Big Kick", true, false);
    EXPECT_EQ(processor.getState().getUserPresetNames(), juce::StringArray({"Big Kick"}));
}

TEST_F(UserPresets, RenamingByTheListedNameFollowsTheCurrentPresetSavedUnderAnotherSpelling)
{
    ASSERT_TRUE(processor.getState().saveUserPreset("Kick/Snare"));
    ASSERT_TRUE(processor.getState().renameUserPreset("KickSnare", "Drums"));
    expectCurrent("Drums", true, false);
}

TEST_F(UserPresets, RenamingAnotherPresetOrFailingLeavesTheCurrentPresetAlone)
{
    saveInTurnThenEdit({"Other", "Taken", "Mine"});

    ASSERT_TRUE(processor.getState().renameUserPreset("Other", "Renamed"));
    expectCurrent("Mine", true, true);
    EXPECT_FALSE(processor.getState().renameUserPreset("Mine", "Taken"));
    EXPECT_FALSE(processor.getState().renameUserPreset("Mine", " \t "));
    expectCurrent("Mine", true, true);
    EXPECT_EQ(processor.getState().getUserPresetNames(), juce::StringArray({"Mine", "Renamed", "Taken"}));
}

TEST_F(UserPresets, RenamingToANameOfTheSameFileRenamesNothingAndLeavesTheCurrentPresetAlone)
{
    ASSERT_TRUE(processor.getState().saveUserPreset("Kick"));
    harness::setPlain(processor, "clip", 3.0f);

    EXPECT_FALSE(processor.getState().renameUserPreset("Kick", "Kick!"));
    EXPECT_FALSE(processor.getState().renameUserPresetReplacing("Kick", "Kick!"));
    expectCurrent("Kick", true, true);
    EXPECT_EQ(processor.getState().getUserPresetNames(), juce::StringArray({"Kick"}));
}

TEST_F(UserPresets, RenamingOntoAnExistingPresetReplacesItAndKeepsTrackOfTheCurrentPreset)
{
    struct Case
    {
        const char* current; // the current user preset before the rename of A onto B
        const char* name;    // after
        bool isUser, modified;
    };
    const Case cases[] = {
        {"A", "B", true, false},        // the renamed preset is current: under its new name
        {"B", "Presets", false, false}, // the replaced preset was current: it is gone
        {"Other", "Other", true, true}, // neither: unchanged, mark and all
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.current);
        harness::setPlain(processor, "attack", -3.0f);
        saveInTurnThenEdit({"B", "Other"});
        harness::setPlain(processor, "attack", 4.0f);
        ASSERT_TRUE(processor.getState().saveUserPreset("A"));
        ASSERT_TRUE(processor.getState().loadUserPreset(c.current));
        harness::setPlain(processor, "mix", 20.0f);

        ASSERT_TRUE(processor.getState().renameUserPresetReplacing("A", "B"));

        expectCurrent(c.name, c.isUser, c.modified);
        EXPECT_EQ(processor.getState().getUserPresetNames(), juce::StringArray({"B", "Other"}));
        ASSERT_TRUE(processor.getState().loadUserPreset("B"));
        EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 4.0f) << "A's values under B";

        for (auto name : processor.getState().getUserPresetNames())
            processor.getState().deleteUserPreset(name);
    }
}

TEST_F(UserPresets, AListedFileWithCharactersOutsideTheKeptSetCanBeLoadedRenamedAndDeleted)
{
    root.writePresetFile("Kick v1.2.xml", presetDocument("<PARAM id=\"attack\" value=\"-6\"/>"));
    root.writePresetFile("Snare .xml", presetDocument("<PARAM id=\"attack\" value=\"6\"/>"));
    ASSERT_EQ(processor.getState().getUserPresetNames(), juce::StringArray({"Kick v1.2", "Snare "}));

    ASSERT_TRUE(processor.getState().loadUserPreset("Kick v1.2"));
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), -6.0f);
    expectCurrent("Kick v1.2", true, false);
    ASSERT_TRUE(processor.getState().loadUserPreset("Snare "));
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 6.0f);

    ASSERT_TRUE(processor.getState().renameUserPreset("Snare ", "Snare"));
    expectCurrent("Snare", true, false);
    ASSERT_TRUE(processor.getState().deleteUserPreset("Kick v1.2"));
    EXPECT_EQ(processor.getState().getUserPresetNames(), juce::StringArray({"Snare"}));
}
