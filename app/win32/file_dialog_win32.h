#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "app/dialog_platform.h"

// The system's open or save dialog for a request; the chosen path (UTF-8), or
// nothing when the user cancelled.
std::optional<std::string> runFileDialog(HWND owner, const FileDialogRequest& request);

// The system's open dialog for one or several files at once; their paths
// (UTF-8), none when the user cancelled.
std::vector<std::string> runOpenFilesDialog(HWND owner, const std::string& filter);

// What that dialog leaves in its buffer, each part ended by a NUL and the
// list by an empty one: one whole path, or the folder and then each name.
std::vector<std::string> chosenFiles(const wchar_t* buffer);

// "CSV(*.csv)|*.csv||" as the system's dialogs take it: pairs ended by NULs,
// the list by an empty one.
std::wstring systemFilter(const std::string& filter);
