#include "editor/KeyboardOwner.h"

namespace
{
// The editor whose menus are open: the last one clicked (menus open from clicks).
const juce::Component* lastClickedEditor = nullptr;

bool isMenuWindow(const juce::Component& topLevel)
{
    const auto* peer = topLevel.getPeer();
    return peer != nullptr && (peer->getStyleFlags() & juce::ComponentPeer::windowIsTemporary) != 0;
}
} // namespace

KeyboardOwner::KeyboardOwner(juce::Component& editorToManage, Mode ownerMode)
    : editor(editorToManage), mode(ownerMode)
{
    juce::Desktop::getInstance().addGlobalMouseListener(this);
    juce::Desktop::getInstance().addFocusChangeListener(this);
}

KeyboardOwner::~KeyboardOwner()
{
    juce::Desktop::getInstance().removeFocusChangeListener(this);
    juce::Desktop::getInstance().removeGlobalMouseListener(this);
    if (lastClickedEditor == &editor)
        lastClickedEditor = nullptr;
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

bool KeyboardOwner::concernsEditor(const juce::MouseEvent& e) const
{
    if (e.eventComponent == nullptr)
        return false;
    if (&editor == e.eventComponent || editor.isParentOf(e.eventComponent))
        return true;
    return lastClickedEditor == &editor && isMenuWindow(*e.eventComponent->getTopLevelComponent());
}

void KeyboardOwner::mouseEnter(const juce::MouseEvent& e)
{
    if (mode != Mode::host || !concernsEditor(e))
        return;
    auto* peer = editor.getPeer();
    auto* entered = e.eventComponent->getPeer();
    if (peer != nullptr && !peer->isFocused() && (entered == nullptr || !entered->isFocused()))
        hostFocus = nativeFocus::current();
}

void KeyboardOwner::mouseDown(const juce::MouseEvent& e)
{
    if (!concernsEditor(e) || isTextField(e.eventComponent))
        return;
    if (editor.isParentOf(e.eventComponent) || &editor == e.eventComponent)
        lastClickedEditor = &editor;

    if (mode == Mode::ownWindow)
    {
        if (editor.isShowing())
            editor.grabKeyboardFocus();
        return;
    }
    // The framework's window has just taken the window system's focus; a menu's window too.
    if (auto* peer = e.eventComponent->getPeer(); peer != nullptr && peer != editor.getPeer())
    {
        if (peer->isFocused())
            nativeFocus::giveAway(*peer, hostFocus);
        return;
    }
    returnKeysToHost();
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
