#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The files dropped on the window (UTF-8) when all of them are CSV files,
// otherwise none: only logs go to the log viewer.
std::vector<std::string> droppedCsvFiles(HDROP drop);
