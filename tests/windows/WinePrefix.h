#pragma once

// The wine prefix the Windows tests run in (scripts/windows/wine-run.sh passes its build-machine
// path as TARVOLT_WINE_PREFIX), reached through its files on the build machine rather than
// through Windows' own folder lookups: what a test finds here is what a user of that Windows
// machine has on disk.

#include "WinePaths.h"
#include "state/PresetFolderIdentity.h"

#include <juce_core/juce_core.h>

namespace winePrefix
{

// The prefix's root folder (holding drive_c), or an invalid file when not run through wine-run.sh.
inline juce::File root()
{
    const auto path = wine::environment("TARVOLT_WINE_PREFIX");
    return path.empty() ? juce::File() : juce::File(juce::String(wine::dosPath(path).c_str()));
}

// The user's roaming application-data folder: drive_c\users\<user>\AppData\Roaming.
inline juce::File roamingAppData()
{
    wchar_t user[256]{};
    DWORD length = 256;
    if (root() == juce::File() || !GetUserNameW(user, &length))
        return {};
    return root().getChildFile("drive_c").getChildFile("users").getChildFile(juce::String(user))
        .getChildFile("AppData").getChildFile("Roaming");
}

// Where Tarvolt keeps its user presets below an application-data folder.
inline juce::File presetFolderBelow(const juce::File& appData)
{
    const auto info = PresetFolderIdentity::tarvolt();
    return appData.getChildFile(info.companyFolder)
        .getChildFile(info.name)
        .getChildFile("version_" + info.version)
        .getChildFile("Presets");
}

// Where Tarvolt keeps its user presets on that machine.
inline juce::File presetFolder()
{
    const auto appData = roamingAppData();
    return appData == juce::File() ? juce::File() : presetFolderBelow(appData);
}

} // namespace winePrefix
