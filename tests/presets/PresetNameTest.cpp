#include "state/PresetName.h"

#include <gtest/gtest.h>

TEST(PresetName, SanitisingKeepsLettersDigitsSpaceUnderscoreAndDash)
{
    struct Case
    {
        const char* name;
        const char* expected;
    };
    const Case cases[] = {
        {"My Kick", "My Kick"},
        {"a_b-c 1", "a_b-c 1"},
        {"  padded  ", "padded"},
        {"Kick/Snare", "KickSnare"},
        {"Kick/ Snare", "Kick Snare"},
        {"a.b", "ab"},
        {"???", "Preset"},
        {"", "Preset"},
        {"   ", "Preset"},
        {"...", "Preset"},
        {"..", "Preset"},
        // Trimmed again after filtering: no space is left at either end.
        {"Snare .", "Snare"},
        {". Snare", "Snare"},
        {"? Kick ?", "Kick"},
        // Paths and control characters cannot survive.
        {"../../etc/passwd", "etcpasswd"},
        {"/tmp/evil", "tmpevil"},
        {"C:\\Windows\\win.ini", "CWindowswinini"},
        {"tab\there\nnew\x01line\x7f", "tabherenewline"},
        // Letters outside A to Z are dropped.
        {"Caf\xc3\xa9 Bass", "Caf Bass"},
        // Device names Windows reserves get a trailing underscore, in any case.
        {"CON", "CON_"},
        {"nul", "nul_"},
        {"Com1", "Com1_"},
        {"LPT9", "LPT9_"},
        {"COM", "COM"},
        {"CONSOLE", "CONSOLE"},
        {"COM10", "COM10"},
    };

    for (const auto& c : cases)
        EXPECT_EQ(sanitisePresetName(juce::String::fromUTF8(c.name)), juce::String(c.expected)) << c.name;
}

TEST(PresetName, AVeryLongNameKeepsItsKeptCharacters)
{
    const auto name = juce::String::repeatedString("ab/", 400);
    EXPECT_EQ(sanitisePresetName(name), juce::String::repeatedString("ab", 400));
}

TEST(PresetName, ANameRefersToTheListedFileItNamesOrToItsSanitisedFormIgnoringCase)
{
    const juce::StringArray listed{"Kick", "kick 2", "Snare .", "v1.2"};
    struct Case
    {
        const char* name;
        const char* fileName;
    };
    const Case cases[] = {
        {"Kick", "Kick"},        {"kick", "Kick"},   {"KICK!", "Kick"}, {"Kick 2", "kick 2"},
        {"Snare .", "Snare ."},  {"Snare", "Snare"}, {"v1.2", "v1.2"},  {"V1.2", "V12"},
        {"Hat/Ride", "HatRide"}, {"???", "Preset"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(presetFileNameFor(c.name, listed), juce::String(c.fileName)) << c.name;
}
