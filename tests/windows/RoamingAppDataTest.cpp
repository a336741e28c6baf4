// Windows' roaming application-data folder, where the user presets live, as the plug-in's code
// finds it under wine: inside the private prefix of the build, so the tests never touch a real
// user's folders and a test can look at the files the plug-in wrote.

#include "WinePrefix.h"

#include <gtest/gtest.h>
#include <juce_core/juce_core.h>

#include <shlobj.h>

namespace
{
juce::File shellRoamingAppData()
{
    wchar_t path[MAX_PATH]{};
    if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE))
        return {};
    return juce::File(juce::String(path));
}
} // namespace

TEST(RoamingAppData, ShellAndFrameworkNameTheSameFolderInsideTheWinePrefix)
{
    const auto shell = shellRoamingAppData();
    ASSERT_NE(shell, juce::File()) << "SHGetSpecialFolderPathW(CSIDL_APPDATA) failed";
    EXPECT_EQ(shell, juce::File::getSpecialLocation(juce::File::userApplicationDataDirectory));

    const auto inPrefix = winePrefix::roamingAppData();
    ASSERT_NE(inPrefix, juce::File()) << "TARVOLT_WINE_PREFIX is not set: run through scripts/windows/wine-run.sh";
    ASSERT_TRUE(inPrefix.isDirectory()) << inPrefix.getFullPathName();
    ASSERT_TRUE(shell.isDirectory());

    // One folder under two names: a file made through one is there under the other.
    const auto probeName = "probe-" + juce::String::toHexString(juce::Random::getSystemRandom().nextInt64());
    const auto viaShell = shell.getChildFile(probeName);
    ASSERT_TRUE(viaShell.replaceWithText("written through the shell folder"));
    EXPECT_EQ(inPrefix.getChildFile(probeName).loadFileAsString(), "written through the shell folder");
    EXPECT_TRUE(inPrefix.getChildFile(probeName).deleteFile());
    EXPECT_FALSE(viaShell.exists());
}

TEST(RoamingAppData, PresetFolderIsCreatedAndReadBackInsideTheWinePrefix)
{
    const auto presets = winePrefix::presetFolderBelow(shellRoamingAppData());
    ASSERT_TRUE(presets.createDirectory());
    const auto file = presets.getChildFile("Wine Probe.xml");
    ASSERT_TRUE(file.replaceWithText("<Probe/>"));

    ASSERT_NE(winePrefix::presetFolder(), juce::File()) << "not run through scripts/windows/wine-run.sh";
    const auto seen = winePrefix::presetFolder().getChildFile("Wine Probe.xml");
    EXPECT_TRUE(seen.existsAsFile()) << seen.getFullPathName();
    EXPECT_EQ(seen.loadFileAsString(), "<Probe/>");
    EXPECT_TRUE(file.deleteFile());
}
