// The framework's X11 declarations come with its module header only when asked for, before it is
// first included.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include "compat/NativeKeyboardFocus.h"

namespace nativeFocus
{
#if JUCE_LINUX || JUCE_BSD

namespace
{
// Every call goes through the framework's own connection to the X server, so that it reaches
// the server after the framework's own requests (its focus grab on a mouse-down among them).
::Display* display()
{
    return juce::XWindowSystem::getInstance()->getDisplay();
}

::Window parentOf(::Window window)
{
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!juce::X11Symbols::getInstance()->xQueryTree(display(), window, &root, &parent, &children, &count))
        return 0;
    if (children != nullptr)
        juce::X11Symbols::getInstance()->xFree(children);
    return parent;
}

::Window rootWindow()
{
    auto* x = juce::X11Symbols::getInstance();
    return x->xRootWindow(display(), x->xDefaultScreen(display()));
}

// A window manager marks the top-level windows it manages with WM_STATE; a window inside another
// program's window never has it.
bool isManagedTopLevel(::Window window)
{
    auto* x = juce::X11Symbols::getInstance();
    const ::Atom wmState = x->xInternAtom(display(), "WM_STATE", True);
    if (wmState == None)
        return false;
    ::Atom type = None;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    const bool found = x->xGetWindowProperty(display(), window, wmState, 0, 1, False, AnyPropertyType, &type,
                                             &format, &items, &remaining, &data) == Success &&
                       type != None;
    if (data != nullptr)
        x->xFree(data);
    return found;
}
} // namespace

WindowId current()
{
    if (display() == nullptr)
        return 0;
    juce::XWindowSystemUtilities::ScopedXLock lock;
    ::Window focus = 0;
    int revert = 0;
    juce::X11Symbols::getInstance()->xGetInputFocus(display(), &focus, &revert);
    return focus == PointerRoot || focus == rootWindow() ? 0 : (WindowId)focus;
}

bool isEmbedded(juce::ComponentPeer& peer)
{
    if (display() == nullptr)
        return false;
    juce::XWindowSystemUtilities::ScopedXLock lock;
    const auto window = (::Window)peer.getNativeHandle();
    const auto parent = window != 0 ? parentOf(window) : 0;
    return parent != 0 && parent != rootWindow() && !isManagedTopLevel(window);
}

void giveAway(juce::ComponentPeer& peer, WindowId to)
{
    if (display() == nullptr)
        return;
    const auto window = (::Window)peer.getNativeHandle();
    auto* system = juce::XWindowSystem::getInstance();
    juce::XWindowSystemUtilities::ScopedXLock lock;
    auto target = (::Window)to;
    if (target == 0 || target == window || system->isParentWindowOf(window, target))
    {
        // The top-level window that holds this one: the child of the root on its way up.
        const auto root = rootWindow();
        target = 0;
        for (auto w = window; w != 0 && w != root; w = parentOf(w))
            target = w;
    }
    if (target == 0 || target == window)
        return;
    juce::X11Symbols::getInstance()->xSetInputFocus(display(), target, RevertToParent, CurrentTime);
    juce::X11Symbols::getInstance()->xFlush(display());
}

#else

WindowId current()
{
    return 0;
}

bool isEmbedded(juce::ComponentPeer&)
{
    return false;
}

void giveAway(juce::ComponentPeer&, WindowId) {}

#endif
} // namespace nativeFocus
