#pragma once

#include <QFont>
#include <vector>

#include "app/main_dialog_template.h"

// The Qt window's font for dialog template 102, and the texts it must show
// whole.

// A text the system puts on a template's control while it runs. It must show
// whole, as the template's own texts must.
struct RunningText {
    int id = 0;
    const char* text = "";
};

// The transfer titles, the last percentage and the port names a user usually
// sees (short names: the whole path is a tool tip).
const std::vector<RunningText>& mainDialogRunningTexts();

// The window's text is made smaller than the template's font down to this
// size at most, so that every text fits its control.
constexpr double kSmallestTextPointSize = 7;

// The template's font where it is installed, else the system's UI font at
// the template's size.
QFont mainDialogFont();
