#pragma once

#include <windows.h>

#include <string>

// Saves what the window shows, frame included, as a 24-bit BMP file (a
// picture for a person to look at); false when that could not be done.
bool saveWindowPicture(HWND window, const std::string& path);
