#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A preset dialog that asks for a name: the text field "presetName" labelled "Preset Name:",
// a confirming button (result 1, Return) and "Cancel" (result 0, Escape). Whenever the dialog
// takes the keyboard focus (when it opens, when its window is activated again) the field gets
// it, with its text selected, so typing replaces the proposed name at once. Return and Escape
// typed in the field reach the buttons.
//
// A window can also receive keys while none of its components has the focus (on X11 a window
// the window manager activates late is not always told so); such keys go to the field too,
// which takes the focus with the first of them.
class NameEntryDialog final : public juce::AlertWindow
{
public:
    static constexpr const char* fieldName = "presetName";

    NameEntryDialog(const juce::String& title, const juce::String& message, const juce::String& initialName,
                    const juce::String& confirmButtonText, juce::LookAndFeel& look);

    juce::TextEditor& getNameField() const { return *getTextEditor(fieldName); }
    // The field's text, trimmed.
    juce::String getEnteredName() const { return getNameField().getText().trim(); }

    bool keyPressed(const juce::KeyPress&) override;

private:
    std::unique_ptr<juce::ComponentTraverser> createKeyboardFocusTraverser() override;
};
