#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/dialog_platform.h"

// The system's open or save dialog for a request; the chosen path (UTF-8), or
// nothing when the user cancelled.
std::optional<std::string> runFileDialog(HWND owner, const FileDialogRequest& request);

// "CSV(*.csv)|*.csv||" as the system's dialogs take it: pairs ended by NULs,
// the list by an empty one.
std::wstring systemFilter(const std::string& filter);
