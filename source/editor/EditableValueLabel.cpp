#include "editor/TarvoltGUI.h"

void TarvoltGUI::EditableValueLabel::textWasEdited()
{
    if (onValueEntered)
        onValueEntered(getText());
}

// Typing replaces the shown value, and only characters a number with its unit can use get in.
void TarvoltGUI::EditableValueLabel::editorShown(juce::TextEditor* textEditor)
{
    juce::Component::SafePointer<juce::Label> self(this);
    juce::Label::editorShown(textEditor);
    if (self == nullptr || textEditor == nullptr)
        return;

    textEditor->setJustification(juce::Justification::centred);
    textEditor->setInputRestrictions(0, "-+.0123456789dDBb% ");
    textEditor->selectAll();
}
