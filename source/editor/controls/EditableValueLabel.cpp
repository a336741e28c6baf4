#include "editor/controls/EditableValueLabel.h"

void EditableValueLabel::textWasEdited()
{
    if (onValueEntered)
        onValueEntered(getText());
}

void EditableValueLabel::editorShown(juce::TextEditor* textEditor)
{
    juce::Component::SafePointer<juce::Label> self(this);
    juce::Label::editorShown(textEditor);
    if (self == nullptr || textEditor == nullptr)
        return;

    textEditor->setJustification(juce::Justification::centred);
    textEditor->setInputRestrictions(0, "-+.0123456789dDBb% ");
    textEditor->selectAll();
}
