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

// Runs the message loop until the dialog's "presetName" field has the keyboard focus, and has
// kept it for a moment: while the window manager still moves the focus between the windows that
// come and go (the last dialog closing, this one opening), keys would go astray, as they would
// for a user who typed within those milliseconds.
//
// The window manager may leave a new window without the focus (one that opens without a click
// of the user's, as here, may count as stealing it); then the window is activated, as the user
// would by clicking it. And the framework is not always told on X11 that its window got the
// focus; then the dialog is told, as the framework would tell it. Either way the dialog itself
// must hand the focus to its field, not to a button.
inline ::testing::AssertionResult nameFieldFocused(juce::AlertWindow* dialog)
{
    if (dialog == nullptr)
        return ::testing::AssertionFailure() << "no dialog";
    auto* field = dialog->getTextEditor("presetName");
    if (field == nullptr)
        return ::testing::AssertionFailure() << "the dialog has no name field";
    auto focusedSince = juce::Time::getMillisecondCounter(), activatedAt = focusedSince;
    const auto keptFocus = [&]
    {
        const auto now = juce::Time::getMillisecondCounter();
        auto* peer = dialog->getPeer();
        if (peer != nullptr && now - activatedAt > 300)
        {
            if (!peer->isFocused())
                dialog->toFront(true);
            else if (!dialog->hasKeyboardFocus(true))
                dialog->grabKeyboardFocus();
            activatedAt = now;
        }
        if (!field->hasKeyboardFocus(false))
            focusedSince = now;
        return now - focusedSince >= 150;
    };
    if (!pumpUntil(keptFocus))
        return ::testing::AssertionFailure()
               << "the name field never got the keyboard focus (it is with "
               << (juce::Component::getCurrentlyFocusedComponent() != nullptr
                       ? juce::Component::getCurrentlyFocusedComponent()->getName()
                       : juce::String("nobody"))
               << ")";
    return ::testing::AssertionSuccess();
}

// A key press as the dialog's window receives it from the keyboard: it goes to the component with
// the keyboard focus and from there up to its parents until one uses it.
inline void pressKey(juce::AlertWindow* dialog, const juce::KeyPress& key)
{
    ASSERT_NE(dialog, nullptr);
    auto* peer = dialog->getPeer();
    ASSERT_NE(peer, nullptr);
    peer->handleKeyPress(key);
}

inline void pressKey(juce::AlertWindow* dialog, int keyCode)
{
    pressKey(dialog, juce::KeyPress(keyCode));
}

// Types the text key by key, once the name field has the focus, as a user does right after the
// dialog opens (the proposed name is selected then, so the typed text replaces it).
inline void typeName(juce::AlertWindow* dialog, const juce::String& text)
{
    ASSERT_TRUE(nameFieldFocused(dialog));
    for (auto c : text)
        pressKey(dialog, juce::KeyPress((int)c, juce::ModifierKeys(), c));
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
