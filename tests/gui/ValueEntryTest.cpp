#include "GuiTestSupport.h"

using guitest::knobIndex;

namespace
{
// Types into a knob's read-out the way a user does: a click opens the editor, every character is a
// key press (refused ones do not get in), then Return, Escape or a focus change.
class ValueEntry : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(fixture.showFocused()); }

    EditableValueLabel& label(const char* id)
    {
        return MainPanelTestAccess::valueLabel(fixture.panel(), knobIndex(id));
    }

    // A click on the read-out: its editor opens with the keyboard focus. The window system's focus
    // events are let through before typing starts, as they would be between two user actions.
    juce::TextEditor* open(const char* id)
    {
        auto& l = label(id);
        fixture.click(l);
        settle();
        auto* editor = l.getCurrentTextEditor();
        if (editor == nullptr || !editor->hasKeyboardFocus(false))
        {
            ADD_FAILURE() << id << " did not open with the keyboard focus";
            return nullptr;
        }
        return editor;
    }

    static void settle() { guitest::pumpFor(50); }

    static void typeKeys(juce::TextEditor* editor, const juce::String& keys)
    {
        if (editor == nullptr)
            return;
        // Key code 0: only the character matters, as for any printable key.
        for (auto c : keys)
            editor->keyPressed(juce::KeyPress(0, juce::ModifierKeys(), c));
    }

    void press(const char* id, int keyCode)
    {
        auto* editor = label(id).getCurrentTextEditor();
        ASSERT_NE(editor, nullptr) << id << " is not open";
        editor->keyPressed(juce::KeyPress(keyCode));
        EXPECT_TRUE(guitest::pumpUntil([&] { return !label(id).isBeingEdited(); }));
    }

    void typeAndCommit(const char* id, const juce::String& keys)
    {
        typeKeys(open(id), keys);
        press(id, juce::KeyPress::returnKey);
    }

    float value(const char* id) { return harness::getPlain(fixture.processor, id); }

    guitest::EditorFixture fixture;
};

struct TypedCase
{
    const char* id;
    const char* typed;
    float value;      // the parameter afterwards
    const char* shown; // the read-out afterwards
};

// Defaults: attack 5, sustain -2.5, sensitivity 60, punch 30, clip 25, mix 100, output 0.
const TypedCase typedCases[] = {
    {"attack", "+6 dB", 6.0f, "+6.0 dB"},
    {"attack", "-20", -12.0f, "-12.0 dB"},       // clamped to the minimum
    {"mix", "45%", 45.0f, "45.0%"},
    {"mix", "45", 45.0f, "45.0%"},
    {"mix", "150", 100.0f, "100.0%"},             // clamped to the maximum
    {"output", "3 db", 3.0f, "+3.0 dB"},          // the lower-case unit stays and is ignored
    {"sustain", "-4.5dB", -4.5f, "-4.5 dB"},
    {"attack", "dB", 5.0f, "+5.0 dB"},            // nothing left: unchanged, re-formatted
    {"mix", "%", 100.0f, "100.0%"},
    {"sustain", "   ", -2.5f, "-2.5 dB"},
    {"attack", "-", 0.0f, "0.0 dB"},              // no number reads as 0
    {"punch", ".", 0.0f, "0.0%"},
    {"attack", "0.04", 0.04f, "+0.0 dB"},         // the sign follows the value, not the rounded text
    {"attack", "-0.04", -0.04f, "-0.0 dB"},
    {"sensitivity", "33.333", 33.33f, "33.3%"},   // snapped to the parameter's 0.01 steps
    {"clip", "x7q!", 7.0f, "7.0%"},               // refused characters never reach the text
};
} // namespace

TEST_F(ValueEntry, TypedTextSetsTheParameterAndTheReadOutShowsItsCanonicalText)
{
    for (const auto& c : typedCases)
    {
        SCOPED_TRACE(juce::String(c.id) + " <- \"" + c.typed + "\"");
        typeAndCommit(c.id, c.typed);
        EXPECT_NEAR(value(c.id), c.value, 1.0e-4f);
        EXPECT_EQ(label(c.id).getText(), c.shown);

        // Back to the defaults for the next case.
        auto* parameter = fixture.processor.getState().parameters.getParameter(c.id);
        parameter->setValueNotifyingHost(parameter->getDefaultValue());
        MainPanelTestAccess::timerTick(fixture.panel());
    }
}

TEST_F(ValueEntry, OpeningSelectsTheShownValueSoTypingReplacesIt)
{
    auto* editor = open("attack");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->getText(), "+5.0 dB");
    EXPECT_EQ(editor->getHighlightedRegion(), juce::Range<int>(0, 7));
    typeKeys(editor, "7");
    EXPECT_EQ(editor->getText(), "7");
    EXPECT_EQ(editor->getJustificationType().getFlags(), juce::Justification::centred);
}

TEST_F(ValueEntry, OnlyDigitsSignsPointUnitLettersPercentAndSpaceCanBeTyped)
{
    auto* editor = open("mix");
    ASSERT_NE(editor, nullptr);
    typeKeys(editor, "aZ1x2\t.5e% dDBbq+-");
    EXPECT_EQ(editor->getText(), "12.5% dDBb+-");
    editor->insertTextAtCaret("\t3");
    EXPECT_EQ(editor->getText(), "12.5% dDBb+-3");
}

TEST_F(ValueEntry, EscapeRestoresTheReadOutAndKeepsTheValue)
{
    typeKeys(open("attack"), "9");
    press("attack", juce::KeyPress::escapeKey);
    EXPECT_EQ(label("attack").getText(), "+5.0 dB");
    EXPECT_EQ(value("attack"), 5.0f);
}

TEST_F(ValueEntry, ReadOutsOpenOnASingleClickAndCommitOnAClickElsewhere)
{
    auto& sustain = label("sustain");
    EXPECT_TRUE(sustain.isEditableOnSingleClick());
    EXPECT_TRUE(sustain.isEditableOnDoubleClick());
    EXPECT_FALSE(sustain.doesLossOfFocusDiscardChanges());

    typeKeys(open("sustain"), "4");
    settle();
    // A click on another knob while typing.
    fixture.click(MainPanelTestAccess::knob(fixture.panel(), knobIndex("punch")));
    EXPECT_TRUE(guitest::pumpUntil([&] { return !label("sustain").isBeingEdited(); }));
    EXPECT_EQ(value("sustain"), 4.0f);
    EXPECT_EQ(label("sustain").getText(), "+4.0 dB");
}

TEST_F(ValueEntry, AChangeWhileTypingKeepsTheTextBeingTypedAndShowsOnceTheReadOutCloses)
{
    auto* editor = open("attack");
    ASSERT_NE(editor, nullptr);
    typeKeys(editor, "11");
    harness::setPlain(fixture.processor, "output", -3.0f);
    harness::setPlain(fixture.processor, "attack", -1.0f); // automation of the knob being typed into
    MainPanelTestAccess::timerTick(fixture.panel());
    EXPECT_EQ(editor->getText(), "11");
    EXPECT_TRUE(label("attack").isBeingEdited());
    EXPECT_EQ(label("output").getText(), "-3.0 dB");

    // Escape drops the typed text; the read-out then shows the value the knob moved to.
    press("attack", juce::KeyPress::escapeKey);
    EXPECT_TRUE(guitest::pumpUntil([&] { return label("attack").getText() == "-1.0 dB"; }));
    EXPECT_EQ(value("attack"), -1.0f);
}

TEST(KnobReadOut, EachReadOutShowsItsParameterInItsUnit)
{
    struct Case
    {
        const char* id;
        float value;
        const char* text;
    };
    // Gains in decibels with a sign, amounts in percent; one decimal, the sign following the value.
    const Case cases[] = {
        {"attack", 5.0f, "+5.0 dB"},  {"sustain", -2.5f, "-2.5 dB"}, {"output", 0.0f, "0.0 dB"},
        {"output", 12.0f, "+12.0 dB"}, {"attack", 0.04f, "+0.0 dB"},  {"sensitivity", 60.0f, "60.0%"},
        {"punch", 30.0f, "30.0%"},    {"clip", 0.0f, "0.0%"},        {"mix", 100.0f, "100.0%"},
    };
    TarvoltAudioProcessor processor;
    MainPanel panel(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    for (const auto& c : cases)
    {
        harness::setPlain(processor, c.id, c.value);
        EXPECT_EQ(MainPanelTestAccess::valueLabel(panel, knobIndex(c.id)).getText(), c.text) << c.id << " " << c.value;
    }
}
