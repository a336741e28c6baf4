#include "PointerClick.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

bool clickOnScreen(int x, int y)
{
    // The extension's client library ships with every X installation; its headers need not.
    using FakeMotion = int (*)(Display*, int screen, int x, int y, unsigned long delay);
    using FakeButton = int (*)(Display*, unsigned int button, Bool isPress, unsigned long delay);
    static void* library = dlopen("libXtst.so.6", RTLD_NOW);
    if (library == nullptr)
        return false;
    const auto move = reinterpret_cast<FakeMotion>(dlsym(library, "XTestFakeMotionEvent"));
    const auto button = reinterpret_cast<FakeButton>(dlsym(library, "XTestFakeButtonEvent"));
    Display* display = XOpenDisplay(nullptr);
    if (move == nullptr || button == nullptr || display == nullptr)
    {
        if (display != nullptr)
            XCloseDisplay(display);
        return false;
    }

    move(display, DefaultScreen(display), x, y, 0);
    button(display, 1, True, 0);
    button(display, 1, False, 0);
    XSync(display, False);
    XCloseDisplay(display);
    return true;
}
