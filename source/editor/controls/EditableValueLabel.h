#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// A knob's value read-out. A click opens it for typing (only the characters a number with its
// unit can use get in, and the shown value is selected, so typing replaces it); committing passes
// the text on.
class EditableValueLabel : public juce::Label
{
public:
    std::function<void(const juce::String&)> onValueEntered;

protected:
    void textWasEdited() override;
    void editorShown(juce::TextEditor* textEditor) override;
};
