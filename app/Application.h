#pragma once

#include <windows.h>

// The frame the program runs in: the start-up window, the message loop on
// the one GUI thread, and the end of the program.

// Builds and shows the main window; false if it or a control cannot be made.
bool LoadStartupWindow();

// Runs until the quit message arrives and returns its code.
int RunMessageLoop();

// Told by a window once it has been destroyed; the last one ends the loop.
void WindowGone(HWND window);
