#pragma once

#include <windows.h>

// Pixels at 96 dots an inch, as many as the screen's scale makes of them:
// the program is aware of the system's scale and draws for it itself.
inline int scaledPixels(HWND window, int pixels) {
    const HDC screen = GetDC(window);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(window, screen);
    return MulDiv(pixels, dpi, 96);
}
