#pragma once

// Finding and answering the menu bar's dialogs the way a user does: through their buttons.

#include "GuiTestSupport.h"

namespace guitest
{

// The dialog currently in front (the newest modal alert window), if any.
inline juce::AlertWindow* frontDialog()
{
    auto* modal = juce::ModalComponentManager::getInstance();
    for (int i = 0; i < modal->getNumModalComponents(); ++i)
        if (auto* dialog = dynamic_cast<juce::AlertWindow*>(modal->getModalComponent(i)))
            return dialog;
    return nullptr;
}

// Runs the message loop until a dialog with the title is in front.
inline juce::AlertWindow* waitForDialog(const juce::String& title, int timeoutMs = 3000)
{
    pumpUntil([&] { return frontDialog() != nullptr && frontDialog()->getName() == title; }, timeoutMs);
    auto* dialog = frontDialog();
    return dialog != nullptr && dialog->getName() == title ? dialog : nullptr;
}

// The dialog's message (its description reads "<title>. <message>").
inline juce::String messageOf(const juce::AlertWindow& dialog)
{
    return dialog.getDescription().fromFirstOccurrenceOf(dialog.getName() + ". ", false, false);
}

inline juce::StringArray buttonTextsOf(const juce::AlertWindow& dialog)
{
    juce::StringArray texts;
    for (auto* child : dialog.getChildren())
        if (auto* button = dynamic_cast<juce::TextButton*>(child))
            texts.add(button->getButtonText());
    return texts;
}

// Clicks the dialog's button with that text and runs the message loop until the dialog is gone.
inline ::testing::AssertionResult press(juce::AlertWindow* dialog, const juce::String& buttonText)
{
    if (dialog == nullptr)
        return ::testing::AssertionFailure() << "no dialog to press " << buttonText << " on";
    for (auto* child : dialog->getChildren())
        if (auto* button = dynamic_cast<juce::TextButton*>(child))
            if (button->getButtonText() == buttonText)
            {
                juce::Component::SafePointer<juce::AlertWindow> watched(dialog);
                button->triggerClick();
                if (!pumpUntil([&] { return watched == nullptr || !watched->isCurrentlyModal(); }))
                    return ::testing::AssertionFailure() << "the dialog stayed open after " << buttonText;
                pumpFor(20); // let the answer's consequences run
                return ::testing::AssertionSuccess();
            }
    return ::testing::AssertionFailure() << "the dialog has no button " << buttonText;
}

// Types into the dialog's "presetName" field.
inline void typeName(juce::AlertWindow* dialog, const juce::String& text)
{
    ASSERT_NE(dialog, nullptr);
    auto* field = dialog->getTextEditor("presetName");
    ASSERT_NE(field, nullptr);
    field->setText(text);
}

// Closes every dialog still open (answering 0) and lets the framework free them.
inline void closeAllDialogs()
{
    for (int guard = 0; guard < 20 && frontDialog() != nullptr; ++guard)
    {
        frontDialog()->exitModalState(0);
        pumpFor(20);
    }
}

} // namespace guitest
