#pragma once

#include <windows.h>

#include <string>

#include "app/dialog_platform.h"

// The system's message box with an OK button and the icon of its kind; the
// detail, when there is one, follows the message after a blank line.
void showMessageBox(HWND owner, const std::string& text, MessageIcon icon,
                    const std::string& detail);

UINT messageBoxIconStyle(MessageIcon icon);

// The same box with "View" beside OK, which stays the default (Enter keeps
// meaning OK); true when the user chose View.
bool showMessageBoxOfferingView(HWND owner, const std::string& text, MessageIcon icon,
                                const std::string& detail);

// The system's question box with Yes and No; true for Yes.
bool askYesNo(HWND owner, const std::string& text);
