// User presets as the plug-in's own code writes and reads them on Windows: in the roaming
// application-data folder that SHGetSpecialFolderPathW names, here inside the wine prefix.

#include "WinePrefix.h"

#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <shlobj.h>

TEST(UserPresetFolder, PresetsLiveInRoamingAppDataOfTheWinePrefix)
{
    TarvoltAudioProcessor processor;

    wchar_t roaming[MAX_PATH]{};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, roaming, CSIDL_APPDATA, FALSE));
    EXPECT_EQ(processor.getState().getPresetStore().getPresetFolder(),
              winePrefix::presetFolderBelow(juce::File(juce::String(roaming))));

    const auto folder = winePrefix::presetFolder();
    ASSERT_NE(folder, juce::File()) << "not run through scripts/windows/wine-run.sh";

    // Unique names: other test runs may share the prefix.
    const auto tag = juce::String::toHexString(juce::Random::getSystemRandom().nextInt64());
    const auto saved = "Wine Kick " + tag, copied = "Copied " + tag;

    harness::setPlain(processor, "attack", 7.0f);
    ASSERT_TRUE(processor.getState().saveUserPreset(saved));
    const auto savedFile = folder.getChildFile(saved + ".xml");
    ASSERT_TRUE(savedFile.existsAsFile()) << savedFile.getFullPathName();
    EXPECT_TRUE(savedFile.loadFileAsString().contains("id=\"attack\" value=\"7.0\""));

    // A file put there from outside is listed and loads.
    ASSERT_TRUE(savedFile.copyFileTo(folder.getChildFile(copied + ".xml")));
    EXPECT_TRUE(processor.getState().getUserPresetNames().contains(copied));
    harness::setPlain(processor, "attack", 0.0f);
    ASSERT_TRUE(processor.getState().loadUserPreset(copied));
    EXPECT_EQ(harness::getPlain(processor, "attack"), 7.0f);
    EXPECT_EQ(processor.getState().getCurrentPresetName(), copied);

    EXPECT_TRUE(processor.getState().deleteUserPreset(copied));
    EXPECT_TRUE(processor.getState().deleteUserPreset(saved));
    EXPECT_FALSE(folder.getChildFile(copied + ".xml").exists());
    EXPECT_FALSE(savedFile.exists());
}
