#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The window system's keyboard focus, where the framework does not reach it. On Linux the
// framework's windows take the X input focus on every mouse-down (its X11 peer brings itself to
// the front, focus and all, before the click reaches any component), and it offers no way to
// give it back: a plug-in's window inside a host's window keeps the host's keys from then on.
// Elsewhere the framework leaves the focus alone when the component asks it to, and these do
// nothing.
namespace nativeFocus
{

// A window of the window system (an X window on Linux); 0 is none.
using WindowId = unsigned long;

// The window that holds the keyboard focus now (0 when none does, the keys going to whichever
// window is under the pointer, and on other systems).
WindowId current();

// Whether the peer's window is a child window inside another program's window (a plug-in's
// window in its host), rather than a window of its own on the desktop.
bool isEmbedded(juce::ComponentPeer& peer);

// Moves the keyboard focus out of the peer's window: to the given window, or, when that is none
// or lies inside the peer's window, to the top-level window that holds the peer's window.
void giveAway(juce::ComponentPeer& peer, WindowId to);

} // namespace nativeFocus
