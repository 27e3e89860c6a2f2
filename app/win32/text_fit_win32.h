#pragma once

#include <windows.h>

#include <string>

#include "app/main_dialog_template.h"

// A text as a control of the window shows it: on one line, in the control's
// own font.
struct ShownText {
    HWND control = nullptr;
    ControlKind kind = ControlKind::Label;
    std::wstring text;
};

// Whether the control shows the text whole: its width in the control's font
// (WM_GETFONT) within the room the control leaves it (a button's face inside
// its frame and focus rectangle, a frame's title beside its corners, a label's
// whole width, a drop-down list's selection field).
bool showsWhole(const ShownText& shown);

// A font like the given one (face, weight, character set), its characters one
// pixel shorter; nullptr where that would be smaller than smallestPointSize on
// this screen, or the font cannot be read. The caller deletes it.
HFONT smallerFont(HFONT font, double smallestPointSize);
