#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The system's open dialog for a log's CSV files, one or several at once,
// starting in folder (UTF-8; empty: the system's choice); their paths
// (UTF-8), none when the user cancelled. The main window and the viewer ask
// with it.
std::vector<std::string> askForLogFiles(HWND owner, const std::wstring& title,
                                        const std::string& folder, bool several);

// What that dialog leaves in its buffer, each part ended by a NUL and the
// list by an empty one: one whole path, or the folder and then each name.
std::vector<std::string> chosenFiles(const wchar_t* buffer);
