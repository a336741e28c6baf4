#include "PresetTestSupport.h"

namespace
{
struct UserPresets : ::testing::Test
{
    UserPresets() { root.attach(processor); }

    void expectCurrent(const juce::String& name, bool isUser, bool modified)
    {
        EXPECT_EQ(processor.getCurrentPresetName(), name);
        EXPECT_EQ(processor.isCurrentPresetUser(), isUser);
        EXPECT_EQ(processor.getCurrentPresetDisplayName(), modified ? name + " *" : name);
    }

    // Saves presets under the names in turn (the last becomes current), then edits a parameter.
    void saveInTurnThenEdit(std::initializer_list<const char*> names)
    {
        for (auto name : names)
            ASSERT_TRUE(processor.saveUserPreset(name));
        harness::setPlain(processor, "clip", 3.0f);
    }

    TestPresetRoot root;
    TarvoltAudioProcessor processor;
};
} // namespace

TEST_F(UserPresets, SavingUsesTheSanitisedFileNameAndKeepsTheNameAsTyped)
{
    harness::setPlain(processor, "attack", 3.0f);

    ASSERT_TRUE(processor.saveUserPreset("Kick/Snare"));

    EXPECT_TRUE(root.presetFolder().getChildFile("KickSnare.xml").existsAsFile());
    expectCurrent("Kick/Snare", true, false);
    EXPECT_EQ(processor.getUserPresetNames(), juce::StringArray({"KickSnare"}));
}

TEST_F(UserPresets, ANameOfDroppedCharactersIsSavedAsPreset)
{
    ASSERT_TRUE(processor.saveUserPreset("???"));
    EXPECT_TRUE(root.presetFolder().getChildFile("Preset.xml").existsAsFile());
    expectCurrent("???", true, false);
}

TEST_F(UserPresets, SavingOverAnExistingPresetReplacesIt)
{
    harness::setPlain(processor, "attack", 1.0f);
    ASSERT_TRUE(processor.saveUserPreset("Drums"));
    harness::setPlain(processor, "attack", 2.0f);
    ASSERT_TRUE(processor.saveUserPreset("Drums"));
    harness::setPlain(processor, "attack", -9.0f);

    ASSERT_TRUE(processor.loadUserPreset("Drums"));
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 2.0f);
    EXPECT_EQ(processor.getUserPresetNames(), juce::StringArray({"Drums"}));
}

TEST_F(UserPresets, LoadingRestoresEveryParameterUnmarkedWithoutSuspendingProcessing)
{
    setUnusualValues(processor);
    ASSERT_TRUE(processor.saveUserPreset("Unusual"));
    const auto saved = processor.parameters.copyState();
    processor.loadFactoryPreset("Aggro Parallel");

    ApplyingFlagProbe probe(processor);
    ASSERT_TRUE(processor.loadUserPreset("Unusual"));

    EXPECT_GE(probe.changes, 8);
    EXPECT_EQ(probe.changesWhileNotApplying, 0);
    EXPECT_EQ(probe.changesWhileSuspended, 0) << "the host would play silence meanwhile";
    EXPECT_FALSE(processor.isSuspended());
    EXPECT_TRUE(processor.parameters.copyState().isEquivalentTo(saved));
    expectCurrent("Unusual", true, false);
}

TEST_F(UserPresets, AFailedLoadChangesNothing)
{
    root.writePresetFile("Broken.xml", "<PARAMETERS><PARAM id=\"attack\" value=\"1\"/>");
    root.presetFolder().getChildFile("Folder.xml").createDirectory();
    processor.loadFactoryPreset("Snare Snap");
    harness::setPlain(processor, "mix", 40.0f);
    const auto before = observableState(processor);

    for (auto name : {"Missing", "Broken", "Folder"})
    {
        EXPECT_FALSE(processor.loadUserPreset(name)) << name;
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

    ASSERT_TRUE(processor.loadUserPreset("Partial"));

    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 3.0f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "sustain"), -2.5f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "mix"), unusualMix);
    EXPECT_FALSE(processor.isPowerOn());
    const auto tree = processor.parameters.copyState();
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
        harness::setPlain(processor, ParameterIDs::quality, (float) QualityIndex::high);
        harness::setPlain(processor, ParameterIDs::link, (float) LinkIndex::on);
        if (fromPreset)
            ASSERT_TRUE(processor.loadUserPreset("Old"));
        else
            processor.setStateInformation(oldState.getData(), (int) oldState.getSize());
        const int quality = fromPreset ? QualityIndex::high : QualityIndex::standard;
        EXPECT_EQ(harness::getPlain(processor, ParameterIDs::quality), (float)quality);
        EXPECT_EQ(harness::getPlain(processor, ParameterIDs::link), (float)LinkIndex::off);
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
        int quality, link;
    };
    const Settings high{QualityIndex::high, LinkIndex::on}, standard{QualityIndex::standard, LinkIndex::off};
    const std::pair<Settings, Settings> savedThenCurrent[] = {{high, standard}, {standard, high}};
    const auto set = [this](Settings s)
    {
        harness::setPlain(processor, ParameterIDs::quality, (float)s.quality);
        harness::setPlain(processor, ParameterIDs::link, (float)s.link);
    };

    for (const auto& [saved, current] : savedThenCurrent)
        for (const bool fromPreset : {true, false})
        {
            SCOPED_TRACE(juce::String(fromPreset ? "user preset" : "host state") + " saved at quality " +
                         juce::String(saved.quality));
            set(saved);
            ASSERT_TRUE(processor.saveUserPreset("Stored"));
            const auto xml = juce::parseXML(root.presetFolder().getChildFile("Stored.xml"));
            ASSERT_NE(xml, nullptr);
            for (const auto& [id, value] :
                 {std::pair{ParameterIDs::quality, saved.quality}, {ParameterIDs::link, saved.link}})
            {
                const auto* entry = xml->getChildByAttribute("id", id);
                ASSERT_NE(entry, nullptr) << id << " is stored";
                EXPECT_EQ(entry->getIntAttribute("value", -1), value) << id;
            }
            juce::MemoryBlock state;
            processor.getStateInformation(state);

            set(current);
            if (fromPreset)
                ASSERT_TRUE(processor.loadUserPreset("Stored"));
            else
                processor.setStateInformation(state.getData(), (int)state.getSize());

            const int quality = fromPreset ? current.quality : saved.quality;
            EXPECT_EQ(harness::getPlain(processor, ParameterIDs::quality), (float)quality);
            EXPECT_EQ(harness::getPlain(processor, ParameterIDs::link), (float)saved.link);
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

    ASSERT_TRUE(processor.loadUserPreset("Wild"));

    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 12.0f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "sustain"), -2.5f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "mix"), 100.0f) << "not a finite number: the default";
    EXPECT_EQ(processor.getModeIndex(), 2);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "output"), 0.0f) << "not a finite number: the default";
}

TEST_F(UserPresets, SavingWithoutADataFolderFailsAndKeepsTheCurrentPreset)
{
    processor.getPresetStore().setRootFolder(juce::File());
    processor.loadFactoryPreset("Bass Knock");
    harness::setPlain(processor, "attack", 0.0f);

    EXPECT_FALSE(processor.saveUserPreset("Mine"));
    EXPECT_FALSE(processor.loadUserPreset("Mine"));
    EXPECT_TRUE(processor.getUserPresetNames().isEmpty());
    expectCurrent("Bass Knock", false, true);
}

TEST_F(UserPresets, DeletingTheCurrentUserPresetComparesNamesIgnoringCase)
{
    ASSERT_TRUE(processor.saveUserPreset("Kick"));
    processor.setCurrentPreset("KICK", true, true); // as a restored host state may name it

    ASSERT_TRUE(processor.deleteUserPreset("Kick"));
    expectCurrent("Presets", false, false);
    EXPECT_FALSE(processor.deleteUserPreset("Kick"));
}

TEST_F(UserPresets, DeletingByTheListedNameResetsTheCurrentPresetSavedUnderAnotherSpelling)
{
    ASSERT_TRUE(processor.saveUserPreset("Kick/Snare"));
    ASSERT_TRUE(processor.deleteUserPreset(processor.getUserPresetNames()[0]));
    expectCurrent("Presets", false, false);
}

TEST_F(UserPresets, DeletingAnotherPresetOrAFactoryNamesakeLeavesTheCurrentPresetAlone)
{
    saveInTurnThenEdit({"Other", "Snare Snap", "Mine"});

    ASSERT_TRUE(processor.deleteUserPreset("Other"));
    expectCurrent("Mine", true, true);

    processor.loadFactoryPreset("Snare Snap");
    ASSERT_TRUE(processor.deleteUserPreset("Snare Snap"));
    expectCurrent("Snare Snap", false, false);
}

TEST_F(UserPresets, RenamingTheCurrentUserPresetMakesTheNewNameCurrentAndClearsTheMark)
{
    ASSERT_TRUE(processor.saveUserPreset("a"));
    harness::setPlain(processor, "punch", 70.0f);
    processor.setCurrentPreset("A", true, true);

    ASSERT_TRUE(processor.renameUserPreset("a", "Big Kick"));
    expectCurrent("Big Kick", true, false);
    EXPECT_EQ(processor.getUserPresetNames(), juce::StringArray({"Big Kick"}));
}

TEST_F(UserPresets, RenamingByTheListedNameFollowsTheCurrentPresetSavedUnderAnotherSpelling)
{
    ASSERT_TRUE(processor.saveUserPreset("Kick/Snare"));
    ASSERT_TRUE(processor.renameUserPreset("KickSnare", "Drums"));
    expectCurrent("Drums", true, false);
}

TEST_F(UserPresets, RenamingAnotherPresetOrFailingLeavesTheCurrentPresetAlone)
{
    saveInTurnThenEdit({"Other", "Taken", "Mine"});

    ASSERT_TRUE(processor.renameUserPreset("Other", "Renamed"));
    expectCurrent("Mine", true, true);
    EXPECT_FALSE(processor.renameUserPreset("Mine", "Taken"));
    EXPECT_FALSE(processor.renameUserPreset("Mine", " \t "));
    expectCurrent("Mine", true, true);
    EXPECT_EQ(processor.getUserPresetNames(), juce::StringArray({"Mine", "Renamed", "Taken"}));
}

TEST_F(UserPresets, RenamingToANameOfTheSameFileRenamesNothingAndLeavesTheCurrentPresetAlone)
{
    ASSERT_TRUE(processor.saveUserPreset("Kick"));
    harness::setPlain(processor, "clip", 3.0f);

    EXPECT_FALSE(processor.renameUserPreset("Kick", "Kick!"));
    EXPECT_FALSE(processor.renameUserPresetReplacing("Kick", "Kick!"));
    expectCurrent("Kick", true, true);
    EXPECT_EQ(processor.getUserPresetNames(), juce::StringArray({"Kick"}));
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
        ASSERT_TRUE(processor.saveUserPreset("A"));
        ASSERT_TRUE(processor.loadUserPreset(c.current));
        harness::setPlain(processor, "mix", 20.0f);

        ASSERT_TRUE(processor.renameUserPresetReplacing("A", "B"));

        expectCurrent(c.name, c.isUser, c.modified);
        EXPECT_EQ(processor.getUserPresetNames(), juce::StringArray({"B", "Other"}));
        ASSERT_TRUE(processor.loadUserPreset("B"));
        EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 4.0f) << "A's values under B";

        for (auto name : processor.getUserPresetNames())
            processor.deleteUserPreset(name);
    }
}

TEST_F(UserPresets, AListedFileWithCharactersOutsideTheKeptSetCanBeLoadedRenamedAndDeleted)
{
    root.writePresetFile("Kick v1.2.xml", presetDocument("<PARAM id=\"attack\" value=\"-6\"/>"));
    root.writePresetFile("Snare .xml", presetDocument("<PARAM id=\"attack\" value=\"6\"/>"));
    ASSERT_EQ(processor.getUserPresetNames(), juce::StringArray({"Kick v1.2", "Snare "}));

    ASSERT_TRUE(processor.loadUserPreset("Kick v1.2"));
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), -6.0f);
    expectCurrent("Kick v1.2", true, false);
    ASSERT_TRUE(processor.loadUserPreset("Snare "));
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 6.0f);

    ASSERT_TRUE(processor.renameUserPreset("Snare ", "Snare"));
    expectCurrent("Snare", true, false);
    ASSERT_TRUE(processor.deleteUserPreset("Kick v1.2"));
    EXPECT_EQ(processor.getUserPresetNames(), juce::StringArray({"Snare"}));
}
