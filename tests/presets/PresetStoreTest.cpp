#include "PresetTestSupport.h"

#include "state/PresetStore.h"

namespace
{
juce::ValueTree parameterTree(TarvoltAudioProcessor& processor)
{
    return processor.getState().parameters.copyState();
}

struct StoreFixture : ::testing::Test
{
    StoreFixture() { root.attach(store); }

    TestPresetRoot root;
    PresetStore store{PresetFolderIdentity::tarvolt()};
    TarvoltAudioProcessor processor;
};
} // namespace

TEST(PresetStoreFolders, DataFolderIsTheUserApplicationDataFolderPlusCompanyProductAndVersion)
{
    const PresetStore store{PresetFolderIdentity::tarvolt()};
    const auto appData = juce::File::getSpecialLocation(juce::File::userApplicationDataDirectory);
    EXPECT_EQ(store.getPresetFolder(), TestPresetRoot::presetFolderUnder(appData));
    EXPECT_EQ(store.getDataFolder(), store.getPresetFolder().getParentDirectory());
}

TEST_F(StoreFixture, PresetFilesAreSanitisedNamesWithXmlInThePresetFolder)
{
    EXPECT_EQ(store.getPresetFolder(), root.presetFolder());
    EXPECT_EQ(store.getPresetFile("Kick/Snare"), root.presetFolder().getChildFile("KickSnare.xml"));
    EXPECT_EQ(store.getPresetFile("???"), root.presetFolder().getChildFile("Preset.xml"));
}

TEST_F(StoreFixture, ListingIsEmptyWithoutAFolder)
{
    EXPECT_FALSE(root.presetFolder().exists());
    EXPECT_TRUE(store.listPresetNames().isEmpty());
}

TEST_F(StoreFixture, ListingTakesXmlFilesDirectlyInTheFolderSortedIgnoringCase)
{
    for (auto name : {"gamma.xml", "Beta.xml", "alpha.xml", "notes.txt", "alpha.xml.bak"})
        root.writePresetFile(name, presetDocument({}));
    root.presetFolder().getChildFile("folder.xml").createDirectory();
    root.presetFolder().getChildFile("sub").createDirectory();
    root.presetFolder().getChildFile("sub/inner.xml").replaceWithText(presetDocument({}));

    EXPECT_EQ(store.listPresetNames(), juce::StringArray({"alpha", "Beta", "gamma"}));
}

TEST_F(StoreFixture, WritingCreatesTheFolderAndWritesTheTreeInTheDefaultXmlFormat)
{
    processor.getState().getCurrentPreset().set("Mine", true, false);
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);
    processor.setStateInformation(blob.getData(), (int)blob.getSize()); // live tree now carries ui attributes
    const auto tree = parameterTree(processor);

    ASSERT_TRUE(store.writePresetFile("My Kick", tree));

    const auto file = root.presetFolder().getChildFile("My Kick.xml");
    ASSERT_TRUE(file.existsAsFile());
    juce::MemoryBlock bytes;
    ASSERT_TRUE(file.loadFileAsData(bytes));
    const auto text = bytes.toString();
    EXPECT_EQ(text, tree.createXml()->toString());
    EXPECT_TRUE(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    EXPECT_TRUE(text.contains("uiCurrentPresetName=\"Mine\""));
    EXPECT_EQ(text.replace("\r\n", "").indexOfAnyOf("\r\n"), -1) << "every line ends in CRLF";

    juce::ValueTree readBack;
    ASSERT_TRUE(store.readPresetFile("My Kick", readBack));
    EXPECT_TRUE(readBack.isEquivalentTo(tree));
}

TEST_F(StoreFixture, WritingReplacesAnExistingFileAndLeavesNoTemporaryFileBehind)
{
    harness::setPlain(processor, "attack", -7.0f);
    ASSERT_TRUE(store.writePresetFile("Same", parameterTree(processor)));
    harness::setPlain(processor, "attack", 9.0f);
    ASSERT_TRUE(store.writePresetFile("Same", parameterTree(processor)));

    EXPECT_EQ(root.presetFolder().getNumberOfChildFiles(juce::File::findFilesAndDirectories, "*"), 1);
    juce::ValueTree readBack;
    ASSERT_TRUE(store.readPresetFile("Same", readBack));
    EXPECT_TRUE(readBack.isEquivalentTo(parameterTree(processor)));
}

TEST_F(StoreFixture, ALeftoverTemporaryFileIsNeverListed)
{
    ASSERT_TRUE(store.writePresetFile("Kept", parameterTree(processor)));
    // What an interrupted save leaves: the temporary file, never the target half-written.
    root.writePresetFile(".0f1e2d3c4b5a69788796a5b4c3d2e1f0.saving", "<PARAMETERS><PAR");

    EXPECT_EQ(store.listPresetNames(), juce::StringArray({"Kept"}));
}

TEST_F(StoreFixture, WritingOntoAFolderFailsAndLeavesItAlone)
{
    const auto folder = root.presetFolder().getChildFile("Blocked.xml");
    ASSERT_TRUE(folder.createDirectory());

    EXPECT_FALSE(store.writePresetFile("Blocked", parameterTree(processor)));
    EXPECT_TRUE(folder.isDirectory());
    EXPECT_EQ(root.presetFolder().getNumberOfChildFiles(juce::File::findFilesAndDirectories, "*"), 1);
}

TEST_F(StoreFixture, ReadingFailsForMissingFoldersUnparsableAndOversizedFiles)
{
    root.presetFolder().getChildFile("Folder.xml").createDirectory();
    root.writePresetFile("Broken.xml", "<PARAMETERS><PARAM id=\"attack\"");
    root.writePresetFile("Cut.xml", "<PARAMETERS uiCurrentPresetName=\"Ki");
    root.writePresetFile("Empty.xml", "");
    root.writePresetFile("Huge.xml",
                         presetDocument("<PARAM id=\"attack\" value=\"1\"/>") +
                             juce::String::repeatedString(" ", (int)PresetStore::maxPresetFileBytes));
    root.writePresetFile("OtherRoot.xml", "<SOMETHING a=\"1\"><X/></SOMETHING>");

    juce::ValueTree tree{"UNTOUCHED"};
    for (auto name : {"Missing", "Folder", "Broken", "Cut", "Empty", "Huge"})
    {
        EXPECT_FALSE(store.readPresetFile(name, tree)) << name;
        EXPECT_TRUE(tree.hasType("UNTOUCHED")) << name;
    }

    // The root's tag is not checked.
    ASSERT_TRUE(store.readPresetFile("OtherRoot", tree));
    EXPECT_TRUE(tree.hasType("SOMETHING"));
}

TEST_F(StoreFixture, DeletingNeedsAnExistingFile)
{
    root.writePresetFile("Gone.xml", presetDocument({}));
    root.presetFolder().getChildFile("Folder.xml").createDirectory();

    EXPECT_FALSE(store.deletePresetFile("Missing"));
    EXPECT_FALSE(store.deletePresetFile("Folder"));
    EXPECT_TRUE(root.presetFolder().getChildFile("Folder.xml").isDirectory());
    EXPECT_TRUE(store.deletePresetFile("Gone"));
    EXPECT_FALSE(root.presetFolder().getChildFile("Gone.xml").exists());
    EXPECT_FALSE(store.deletePresetFile("Gone"));
}

TEST_F(StoreFixture, RenamingFailsOntoExistingFilesBlankNamesAndFromMissingFiles)
{
    root.writePresetFile("A.xml", "a");
    root.writePresetFile("B.xml", "b");
    root.writePresetFile("KickSnare.xml", "k");
    root.presetFolder().getChildFile("Folder.xml").createDirectory();

    EXPECT_FALSE(store.renamePresetFile("A", "B"));
    EXPECT_FALSE(store.renamePresetFile("A", "   "));
    EXPECT_FALSE(store.renamePresetFile("A", ""));
    EXPECT_FALSE(store.renamePresetFile("A", "Folder"));
    EXPECT_FALSE(store.renamePresetFile("Missing", "C"));
    EXPECT_FALSE(store.renamePresetFile("Kick/Snare", "KickSnare")) << "both names map to one file";
    EXPECT_EQ(root.presetFolder().getChildFile("A.xml").loadFileAsString(), "a");
    EXPECT_EQ(root.presetFolder().getChildFile("B.xml").loadFileAsString(), "b");
    EXPECT_TRUE(root.presetFolder().getChildFile("Folder.xml").isDirectory());

    EXPECT_TRUE(store.renamePresetFile("A", "C/D"));
    EXPECT_FALSE(root.presetFolder().getChildFile("A.xml").exists());
    EXPECT_EQ(root.presetFolder().getChildFile("CD.xml").loadFileAsString(), "a");
}

TEST_F(StoreFixture, RenamingWithReplacementMovesTheOldFileOntoTheNewAndLeavesNothingElse)
{
    root.writePresetFile("A.xml", "a");
    root.writePresetFile("B.xml", "b");
    root.writePresetFile("C.xml", "c");

    ASSERT_TRUE(store.renamePresetFile("A", "b", PresetStore::Replace::allowed)) << "b maps to B.xml";
    ASSERT_TRUE(store.renamePresetFile("C", "D", PresetStore::Replace::allowed)) << "nothing to replace";

    EXPECT_EQ(store.listPresetNames(), juce::StringArray({"B", "D"}));
    EXPECT_EQ(root.presetFolder().getChildFile("B.xml").loadFileAsString(), "a");
    EXPECT_EQ(root.presetFolder().getChildFile("D.xml").loadFileAsString(), "c");
    EXPECT_EQ(root.presetFolder().getNumberOfChildFiles(juce::File::findFilesAndDirectories, "*"), 2)
        << "no backup left behind";
}

TEST_F(StoreFixture, RenamingWithReplacementFailsForTheSameFileMissingSourcesBlankNamesAndFolders)
{
    root.writePresetFile("KickSnare.xml", "k");
    root.writePresetFile("B.xml", "b");
    root.presetFolder().getChildFile("Folder.xml").createDirectory();
    const auto before = root.allEntries();

    for (auto [from, to] : {std::pair{"Kick/Snare", "KickSnare"}, std::pair{"KickSnare", "Kick!Snare"},
                            std::pair{"Missing", "B"}, std::pair{"B", "  "}, std::pair{"B", "Folder"}})
    {
        SCOPED_TRACE(juce::String(from) + " -> " + to);
        EXPECT_FALSE(store.renamePresetFile(from, to, PresetStore::Replace::allowed));
    }
    EXPECT_EQ(root.allEntries(), before);
    EXPECT_EQ(root.presetFolder().getChildFile("KickSnare.xml").loadFileAsString(), "k");
    EXPECT_EQ(root.presetFolder().getChildFile("B.xml").loadFileAsString(), "b");
}

TEST_F(StoreFixture, EveryListedNameMapsBackToItsOwnFile)
{
    // Files put into the folder by other means, with names sanitising would not produce.
    const char* fileNames[] = {"Kick .xml", " Lead.xml", "v1.2.xml", "Caf\xc3\xa9.xml", "a..b.xml", "...xml"};
    for (auto fileName : fileNames)
        root.writePresetFile(juce::String::fromUTF8(fileName),
                             presetDocument("<PARAM id=\"attack\" value=\"3\"/>"));

    const auto names = store.listPresetNames();
    ASSERT_EQ(names.size(), (int)std::size(fileNames));
    int renamed = 0;
    for (const auto& name : names)
    {
        SCOPED_TRACE(name);
        const auto file = root.presetFolder().getChildFile(name + ".xml");
        EXPECT_EQ(store.getPresetFile(name), file);

        juce::ValueTree tree;
        EXPECT_TRUE(store.readPresetFile(name, tree));
        EXPECT_TRUE(store.renamePresetFile(name, "Renamed " + juce::String(++renamed)));
        EXPECT_FALSE(file.exists());
    }
    for (int i = 1; i <= renamed; ++i)
        EXPECT_TRUE(store.deletePresetFile("Renamed " + juce::String(i)));
    EXPECT_TRUE(store.listPresetNames().isEmpty());

    // Deleting by the listed name works as well.
    root.writePresetFile("Kick .xml", presetDocument({}));
    EXPECT_TRUE(store.deletePresetFile("Kick "));
    EXPECT_FALSE(root.presetFolder().getChildFile("Kick .xml").exists());
}

TEST(PresetStoreNames, NoNameReachesOutsideThePresetFolder)
{
    // The store's root sits one level inside the sandbox, so there is bait beside it as well.
    TestPresetRoot sandbox;
    const auto root = sandbox.folder().getChildFile("appdata");
    PresetStore store{PresetFolderIdentity::tarvolt()};
    store.setRootFolder(root);
    TarvoltAudioProcessor processor;

    const auto presetFolder = TestPresetRoot::presetFolderUnder(root);
    const auto baitContent = presetDocument("<PARAM id=\"attack\" value=\"-12\"/>");
    juce::Array<juce::File> bait;
    for (auto folder = presetFolder.getParentDirectory(); folder != sandbox.folder().getParentDirectory();
         folder = folder.getParentDirectory())
        bait.add(folder.getChildFile("outside.xml"));
    for (auto& file : bait)
    {
        ASSERT_TRUE(file.getParentDirectory().createDirectory());
        ASSERT_TRUE(file.replaceWithText(baitContent, false, false, "\n"));
    }
    const auto entriesBefore = sandbox.allEntries();

    const juce::String hostileNames[] = {
        "../outside",
        "../../outside",
        "../../../../../outside",
        "..",
        ".",
        "/",
        "sub/../../outside",
        root.getChildFile("outside").getFullPathName(),
        sandbox.folder().getChildFile("outside").getFullPathName(),
        "~/outside",
        "C:\\outside",
        "\\\\server\\share\\outside",
        juce::String::charToString(1) + juce::String::charToString(0x1b) + "[2J",
        "con",
        "nul",
        juce::String::repeatedString("a", 300),
        juce::String::repeatedString("../", 100) + "outside",
    };

    for (const auto& name : hostileNames)
    {
        SCOPED_TRACE(name.substring(0, 40));
        const auto file = store.getPresetFile(name);
        EXPECT_EQ(file.getParentDirectory(), presetFolder);

        juce::ValueTree tree;
        EXPECT_FALSE(store.readPresetFile(name, tree)) << "nothing with that name was saved yet";
        const bool written = store.writePresetFile(name, processor.getState().parameters.copyState());
        EXPECT_EQ(written, file.existsAsFile());
        EXPECT_EQ(store.readPresetFile(name, tree), written);
        EXPECT_EQ(store.renamePresetFile(name, name + "2"), written);
        EXPECT_EQ(store.renamePresetFile(name + "2", name), written);
        EXPECT_EQ(store.deletePresetFile(name), written);
        EXPECT_FALSE(store.deletePresetFile(name));
        EXPECT_FALSE(store.renamePresetFile(name, "Other"));
    }

    // The one name too long for a file name fails cleanly.
    EXPECT_FALSE(
        store.writePresetFile(juce::String::repeatedString("a", 300), processor.getState().parameters.copyState()));

    auto entriesAfter = sandbox.allEntries();
    entriesAfter.removeString(presetFolder.getRelativePathFrom(sandbox.folder()));
    EXPECT_EQ(entriesAfter, entriesBefore) << "nothing left behind in or outside the preset folder";
    for (auto& file : bait)
        EXPECT_EQ(file.loadFileAsString(), baitContent) << file.getFullPathName();
}

TEST(PresetStoreWithoutDataFolder, EveryOperationFailsAndNothingIsWrittenAnywhere)
{
    TestPresetRoot sandbox;
    const auto workingDirectory = juce::File::getCurrentWorkingDirectory();
    sandbox.folder().setAsCurrentWorkingDirectory();

    PresetStore store{PresetFolderIdentity::tarvolt()};
    store.setRootFolder(juce::File()); // a platform that names no application-data folder
    TarvoltAudioProcessor processor;

    EXPECT_EQ(store.getDataFolder(), juce::File());
    EXPECT_EQ(store.getPresetFolder(), juce::File());
    EXPECT_EQ(store.getPresetFile("Kick"), juce::File());
    EXPECT_TRUE(store.listPresetNames().isEmpty());
    juce::ValueTree tree;
    EXPECT_FALSE(store.readPresetFile("Kick", tree));
    EXPECT_FALSE(store.writePresetFile("Kick", processor.getState().parameters.copyState()));
    EXPECT_FALSE(store.deletePresetFile("Kick"));
    EXPECT_FALSE(store.renamePresetFile("Kick", "Snare"));

    workingDirectory.setAsCurrentWorkingDirectory();
    EXPECT_TRUE(sandbox.allEntries().isEmpty());
    EXPECT_FALSE(juce::File("/" + PresetFolderIdentity::tarvolt().companyFolder).exists());
    EXPECT_FALSE(juce::File("/Presets").exists());
}
