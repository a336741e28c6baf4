#include "PointerClick.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

namespace
{
// The extension's client library ships with every X installation; its headers need not.
struct TestExtension
{
    using FakeMotion = int (*)(Display*, int screen, int x, int y, unsigned long delay);
    using FakeButton = int (*)(Display*, unsigned int button, Bool isPress, unsigned long delay);
    using FakeKey = int (*)(Display*, unsigned int keycode, Bool isPress, unsigned long delay);

    TestExtension()
    {
        if (void* library = dlopen("libXtst.so.6", RTLD_NOW))
        {
            move = reinterpret_cast<FakeMotion>(dlsym(library, "XTestFakeMotionEvent"));
            button = reinterpret_cast<FakeButton>(dlsym(library, "XTestFakeButtonEvent"));
            key = reinterpret_cast<FakeKey>(dlsym(library, "XTestFakeKeyEvent"));
        }
    }

    static const TestExtension& get()
    {
        static const TestExtension extension;
        return extension;
    }

    FakeMotion move = nullptr;
    FakeButton button = nullptr;
    FakeKey key = nullptr;
};

// A connection of its own for each call, closed after the server has handled its requests.
struct Connection
{
    Connection() : display(XOpenDisplay(nullptr)) {}
    ~Connection()
    {
        if (display != nullptr)
        {
            XSync(display, False);
            XCloseDisplay(display);
        }
    }
    Display* display;
};
} // namespace

bool movePointer(int x, int y)
{
    const auto& xtest = TestExtension::get();
    Connection c;
    if (xtest.move == nullptr || c.display == nullptr)
        return false;
    xtest.move(c.display, DefaultScreen(c.display), x, y, 0);
    return true;
}

bool pressButton(bool down)
{
    const auto& xtest = TestExtension::get();
    Connection c;
    if (xtest.button == nullptr || c.display == nullptr)
        return false;
    xtest.button(c.display, 1, down ? True : False, 0);
    return true;
}

bool clickOnScreen(int x, int y)
{
    return movePointer(x, y) && pressButton(true) && pressButton(false);
}

bool pressKey(unsigned long keySymbol)
{
    const auto& xtest = TestExtension::get();
    Connection c;
    if (xtest.key == nullptr || c.display == nullptr)
        return false;
    const unsigned int code = XKeysymToKeycode(c.display, (KeySym)keySymbol);
    if (code == 0)
        return false;
    xtest.key(c.display, code, True, 0);
    xtest.key(c.display, code, False, 0);
    return true;
}

unsigned long windowAtScreenPoint(int x, int y)
{
    Connection c;
    if (c.display == nullptr)
        return 0;
    const Window root = DefaultRootWindow(c.display);
    Window current = root, child = 0;
    int localX = x, localY = y;
    // Down through the window that holds the point at each level.
    while (XTranslateCoordinates(c.display, root, current, x, y, &localX, &localY, &child) && child != 0)
        current = child;
    return current == root ? 0 : current;
}

bool inputFocusIsWithin(unsigned long window)
{
    Connection c;
    if (c.display == nullptr || window == 0)
        return false;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(c.display, &focus, &revert);
    const Window root = DefaultRootWindow(c.display);
    // Up from the focus window to the root.
    for (Window w = focus; w != 0 && w != PointerRoot && w != root;)
    {
        if (w == window)
            return true;
        Window parent = 0, rootReturn = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(c.display, w, &rootReturn, &parent, &children, &count))
            return false;
        if (children != nullptr)
            XFree(children);
        w = parent;
    }
    return false;
}
