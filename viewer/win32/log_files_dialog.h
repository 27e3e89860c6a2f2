#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

// The system's open dialog for a log's CSV files, one or several at once,
// starting in folder (UTF-8; empty: the system's choice); their paths
// (UTF-8), none when the user cancelled. The main window and the viewer ask
// with it.
std::vector<std::string> askForLogFiles(HWND owner, const std::wstring& title,
                                        const std::string& folder, bool several);

// A file dialog's kinds of file: each kind's name in the user's language
// ("CSV files (*.csv)"), then its pattern, each ended by a NUL as the dialog
// reads them; the list is ended by another.
std::wstring fileFilter(std::initializer_list<std::pair<const char*, const wchar_t*>> kinds);

// What that dialog leaves in its buffer, each part ended by a NUL and the
// list by an empty one: one whole path, or the folder and then each name.
std::vector<std::string> chosenFiles(const wchar_t* buffer);
