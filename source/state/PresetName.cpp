#include "state/PresetName.h"

namespace
{
constexpr const char* keptCharacters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 _-";

bool isReservedDeviceName(const juce::String& name)
{
    static const juce::StringArray fixed{"CON", "PRN", "AUX", "NUL"};
    if (fixed.contains(name, true))
        return true;

    const auto prefix = name.substring(0, 3);
    return name.length() == 4 && (prefix.equalsIgnoreCase("COM") || prefix.equalsIgnoreCase("LPT")) &&
           juce::CharacterFunctions::isDigit(name[3]);
}
} // namespace

juce::String sanitisePresetName(const juce::String& name)
{
    // Trimmed before and after filtering: a dropped character next to a space must not leave
    // that space at either end of the file name.
    auto sanitised = name.trim().retainCharacters(keptCharacters).trim();
    if (sanitised.isEmpty())
        return "Preset";
    if (isReservedDeviceName(sanitised))
        sanitised << "_";
    return sanitised;
}

juce::String presetFileNameFor(const juce::String& name, const juce::StringArray& listedNames)
{
    if (listedNames.contains(name))
        return name;
    const auto sanitised = sanitisePresetName(name);
    const int listed = listedNames.indexOf(sanitised, true);
    return listed >= 0 ? listedNames[listed] : sanitised;
}
