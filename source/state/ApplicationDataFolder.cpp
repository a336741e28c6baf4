#include "state/ApplicationDataFolder.h"

#if JUCE_WINDOWS
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <shlobj.h>
#include <windows.h>
#endif

juce::File userApplicationDataFolder()
{
#if JUCE_WINDOWS
    WCHAR buffer[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_APPDATA, FALSE))
        return {};
    const juce::String path(buffer);
#else
    const auto path =
        juce::File::getSpecialLocation(juce::File::userApplicationDataDirectory).getFullPathName();
#endif
    return juce::File::isAbsolutePath(path) ? juce::File(path) : juce::File();
}
