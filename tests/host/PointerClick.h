#pragma once

// A real left click of the window system's pointer at a point of the screen, through the X server's
// test extension: whatever window lies there gets it as from a mouse, including windows of other
// toolkits or other copies of the framework (a plug-in's own editor). False when the display or
// the extension cannot be reached.
bool clickOnScreen(int x, int y);
