#pragma once

#include <windows.h>

#include <string>

// Where a window was and how large, kept in a small text file of its own, so
// that the viewer opens again as the user left it. A missing or damaged file,
// or a place on a screen no longer there, leaves the window where it is.
// The window is not shown: true when it was left maximized, to be shown so.
bool restorePlacement(HWND window, const std::string& path);
void savePlacement(HWND window, const std::string& path);
