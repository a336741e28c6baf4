#pragma once

// The window system as a user drives it, through the X server's test extension: whatever window
// lies under the pointer or holds the keyboard focus gets these as from a mouse or a keyboard,
// including windows of other toolkits or other copies of the framework (a plug-in's own editor).
// False when the display or the extension cannot be reached.

// A real left click at a point of the screen.
bool clickOnScreen(int x, int y);

// The pointer moved to a point of the screen, and the left button pressed or released there: a
// drag is a press, moves with time for the windows to follow, and a release.
bool movePointer(int x, int y);
bool pressButton(bool down);

// A real press and release of the key with this X key symbol (XK_Return, XK_7, ...), delivered
// where the X input focus is.
bool pressKey(unsigned long keySymbol);

// The deepest window at a point of the screen (0 when none can be found).
unsigned long windowAtScreenPoint(int x, int y);

// Whether the X input focus is on this window or one inside it: then the keyboard's keys go there.
bool inputFocusIsWithin(unsigned long window);
