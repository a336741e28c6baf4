#include "editor/bar/NameEntryDialog.h"

namespace
{
// The framework's traversal (Tab moves on to the buttons), except that the name field comes
// first when the dialog picks a component to focus; otherwise the first button would, and
// typed keys would go nowhere.
class NameFieldFirst final : public juce::KeyboardFocusTraverser
{
public:
    explicit NameFieldFirst(juce::Component& fieldToFocus) : field(fieldToFocus) {}

    juce::Component* getDefaultComponent(juce::Component* parent) override
    {
        if (parent != nullptr && parent->isParentOf(&field) && field.isShowing())
            return &field;
        return juce::KeyboardFocusTraverser::getDefaultComponent(parent);
    }

private:
    juce::Component& field;
};
} // namespace

NameEntryDialog::NameEntryDialog(const juce::String& title, const juce::String& message,
                                 const juce::String& initialName, const juce::String& confirmButtonText,
                                 juce::LookAndFeel& look)
    : juce::AlertWindow(title, message, juce::MessageBoxIconType::NoIcon)
{
    setLookAndFeel(&look); // first: the field and the buttons take their fonts and sizes from it
    addTextEditor(fieldName, initialName, "Preset Name:");
    addButton(confirmButtonText, 1, juce::KeyPress(juce::KeyPress::returnKey));
    addButton("Cancel", 0, juce::KeyPress(juce::KeyPress::escapeKey));
}

bool NameEntryDialog::keyPressed(const juce::KeyPress& key)
{
    if (juce::AlertWindow::keyPressed(key)) // Return, Escape
        return true;

    // Keys the field did not use come here as well; only those that found nothing focused go on.
    if (hasKeyboardFocus(true))
        return false;
    auto& field = getNameField();
    field.grabKeyboardFocus();
    return field.keyPressed(key);
}

std::unique_ptr<juce::ComponentTraverser> NameEntryDialog::createKeyboardFocusTraverser()
{
    return std::make_unique<NameFieldFirst>(getNameField());
}
