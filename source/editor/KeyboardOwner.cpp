#include "editor/KeyboardOwner.h"

KeyboardOwner::KeyboardOwner(juce::Component& editorToManage, Mode ownerMode)
    : editor(editorToManage), mode(ownerMode)
{
    editor.addMouseListener(this, true);
    juce::Desktop::getInstance().addFocusChangeListener(this);
}

KeyboardOwner::~KeyboardOwner()
{
    juce::Desktop::getInstance().removeFocusChangeListener(this);
    editor.removeMouseListener(this);
}

bool KeyboardOwner::isTextField(const juce::Component* component)
{
    for (auto* c = component; c != nullptr; c = c->getParentComponent())
        if (dynamic_cast<const juce::TextEditor*>(c) != nullptr)
            return true;
    return false;
}

void KeyboardOwner::leaveFocusToTextFields()
{
    std::function<void(juce::Component&)> leave = [&leave](juce::Component& c)
    {
        c.setWantsKeyboardFocus(false);
        c.setMouseClickGrabsKeyboardFocus(false);
        for (auto* child : c.getChildren())
            if (!isTextField(child))
                leave(*child);
    };
    leave(editor);
    // The standalone's editor takes the keys itself (mouseDown), for its shortcuts.
    editor.setWantsKeyboardFocus(mode == Mode::ownWindow);
}

void KeyboardOwner::editorParentChanged()
{
    if (mode != Mode::host)
        return;
    for (auto* c = editor.getParentComponent(); c != nullptr; c = c->getParentComponent())
    {
        c->setBroughtToFrontOnMouseClick(false);
        c->setMouseClickGrabsKeyboardFocus(false); // on Windows the click then leaves the focus too
    }
}

void KeyboardOwner::mouseEnter(const juce::MouseEvent&)
{
    if (mode != Mode::host)
        return;
    if (auto* peer = editor.getPeer(); peer != nullptr && !peer->isFocused())
        hostFocus = nativeFocus::current();
}

void KeyboardOwner::mouseDown(const juce::MouseEvent& e)
{
    if (isTextField(e.eventComponent))
        return;
    if (mode == Mode::ownWindow)
    {
        if (editor.isShowing())
            editor.grabKeyboardFocus();
        return;
    }
    // The framework's window has just taken the window system's focus.
    returnKeysToHost();
}

void KeyboardOwner::menuClosed()
{
    // The menu's window took the focus on the click that chose, and left it to nobody when it
    // closed.
    auto* peer = editor.getPeer();
    if (mode == Mode::host && peer != nullptr && nativeFocus::isEmbedded(*peer) &&
        (peer->isFocused() || nativeFocus::current() == 0))
        nativeFocus::giveAway(*peer, hostFocus);
}

void KeyboardOwner::globalFocusChanged(juce::Component* focused)
{
    if (mode == Mode::host && !(isTextField(focused) && editor.isParentOf(focused)))
        returnKeysToHost();
}

void KeyboardOwner::returnKeysToHost()
{
    auto* peer = editor.getPeer();
    if (peer == nullptr || !peer->isFocused())
        return;
    if (auto* focused = juce::Component::getCurrentlyFocusedComponent();
        focused != nullptr && editor.isParentOf(focused) && isTextField(focused))
        return;
    if (nativeFocus::isEmbedded(*peer))
        nativeFocus::giveAway(*peer, hostFocus);
}
