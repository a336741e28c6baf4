#pragma once

#include "compat/NativeKeyboardFocus.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Who has the keyboard while the editor is in front. In a host the host does: its shortcuts (Space
// for the transport) must keep working while the user clicks knobs, buttons, the display or the
// empty panel. Only a text field being edited (a value read-out open for typing) takes the keys,
// and gives them back on Return, Escape or a click elsewhere. In the standalone application,
// which is its own host, the editor takes the keys on a click anywhere in its window, so that its
// own shortcuts work.
//
// The framework works against this in two places: every component takes the keyboard focus on a
// mouse-down unless told not to (here: no component of the editor wants it), and on Linux the
// framework's window takes the window system's focus on every mouse-down, before any component
// hears of it (here: given back to the window that had it, see nativeFocus).
class KeyboardOwner : private juce::MouseListener, private juce::FocusChangeListener
{
public:
    enum class Mode
    {
        host,      // the keys stay with the host but for a text field being edited
        ownWindow, // the editor takes the keys on a click (the standalone application)
    };

    KeyboardOwner(juce::Component& editor, Mode mode);
    ~KeyboardOwner() override;

    // Tells the editor's components, all built by now, not to take the keyboard focus on a click.
    // Text fields, which the read-outs make when they open, keep taking it.
    void leaveFocusToTextFields();

    // The editor has been put into a window of its host (or taken out): the host's own component
    // that holds it must not bring itself to the front on a click either, which takes the focus.
    void editorParentChanged();

    // A menu the editor opened has closed: its window may have taken the keys from the host.
    void menuClosed();

    Mode getMode() const noexcept { return mode; }

    // Whether the component is a text field of the editor, or inside one.
    static bool isTextField(const juce::Component* component);

private:
    void mouseEnter(const juce::MouseEvent&) override;
    void mouseDown(const juce::MouseEvent&) override;
    void globalFocusChanged(juce::Component* focused) override;

    // Gives the window system's focus back to the host when the editor's window holds it and no
    // text field of the editor is being edited.
    void returnKeysToHost();

    juce::Component& editor;
    const Mode mode;
    // The window that had the keys when the pointer came in: where they go back to.
    nativeFocus::WindowId hostFocus = 0;
};
