// Typed values as the editor's value entry and the tools' --set options read them.

#include "state/Parameters.h"

#include <gtest/gtest.h>

namespace
{
struct Case
{
    const char* id;
    const char* text;
    double plain;        // the value, or the forgiving reading of text that is not one
    const char* problem; // empty: the text is exactly a value
    bool clamped = false;
    bool blank = false;
};

const Case cases[] = {
    // Numbers with or without the unit, spaces around them, any case of "dB".
    {"attack", "+6 dB", 6.0, ""},
    {"attack", "6dB", 6.0, ""},
    {"attack", "6 db", 6.0, ""},
    {"attack", "-3.5DB", -3.5, ""},
    {"attack", "-3", -3.0, ""},
    {"attack", ".5", 0.5, ""},
    {"attack", "1e1", 10.0, ""},
    {"mix", "45%", 45.0, ""},
    {"mix", " 45 % ", 45.0, ""},
    {"mix", "70", 70.0, ""},
    // Beyond the range: clamped, and said so.
    {"attack", "13", 12.0, "", true},
    {"attack", "-20 dB", -12.0, "", true},
    {"mix", "150%", 100.0, "", true},
    // Not a number: the number the text starts with, 0 when none, clamped.
    {"attack", "loud", 0.0, "not a number"},
    {"attack", "-", 0.0, "not a number"},
    {"punch", ".", 0.0, "not a number"},
    {"attack", "3b", 3.0, "not a number"},
    {"attack", "1 2", 12.0, "not a number"},
    {"attack", "nan", 0.0, "not a number"},
    {"attack", "inf", 12.0, "not a number"},
    {"mix", "12.5% dDBb+-", 12.5, "not a number"},
    // Nothing but units and spaces.
    {"attack", "", 0.0, "not a number", false, true},
    {"attack", " dB", 0.0, "not a number", false, true},
    {"mix", "%", 0.0, "not a number", false, true},
    {"attack", "dB5", 0.0, "not a number", false, true},
    // The other parameter's unit.
    {"attack", "45%", 12.0, "wrong unit"},
    {"mix", "6 dB", 6.0, "wrong unit"},
    // Choices and the toggle: names in any case, or the index.
    {"mode", "Tight", 0.0, ""},
    {"mode", " smooth ", 2.0, ""},
    {"focus", "HIGH", 2.0, ""},
    {"mode", "1", 1.0, ""},
    {"power", "off", 0.0, ""},
    {"power", "On", 1.0, ""},
    {"link", "on", 1.0, ""},
    {"quality", "high", 1.0, ""},
    {"mode", "1.5", 2.0, "", true},
    {"mode", "3", 2.0, "", true},
    {"mode", "Loud", 0.0, "not a choice"},
    {"mode", "1 dB", 1.0, "not a choice"},
};
} // namespace

TEST(TypedValue, ReadsNumbersWithUnitsChoiceNamesAndSaysWhatIsNotAValue)
{
    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.id) + " <- \"" + c.text + "\"");
        const auto* spec = findParameterSpec(c.id);
        ASSERT_NE(spec, nullptr);
        const auto typed = parseTypedValue(*spec, c.text);
        if (!typed.blank)
        {
            EXPECT_DOUBLE_EQ(typed.plain, c.plain);
        }
        EXPECT_EQ(typed.problem, juce::String(c.problem));
        EXPECT_EQ(typed.isValue(), juce::String(c.problem).isEmpty());
        EXPECT_EQ(typed.clamped, c.clamped);
        EXPECT_EQ(typed.blank, c.blank);
    }
}

// The editor's knobs snap to steps of 0.01: a value typed on a half step must reach them as typed,
// not rounded to a float first.
TEST(TypedValue, KeepsTheTypedNumberInDoublePrecision)
{
    const auto typed = parseTypedValue(*findParameterSpec("attack"), "0.005");
    EXPECT_EQ(typed.plain, 0.005);
}
