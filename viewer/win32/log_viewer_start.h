#pragma once

#include <string>
#include <vector>

// The log viewer, datadock-viewer.exe, started on files (a log, its lap file
// or both, in any order) as a program of its own: the caller does not wait
// for it and may end before it.

// Where the viewer is: as DATADOCK_VIEWER names it, otherwise beside the
// running program, where the zip and the installer put it.
std::wstring logViewerProgram();

// The command line that hands the program and each file to the viewer as one
// argument each, quoted as the system splits command lines.
std::wstring viewerCommandLine(const std::wstring& program, const std::vector<std::wstring>& files);

// Paths as UTF-8. False when the viewer could not be started; whyNot then
// says why in a sentence for the user that names the program's path.
bool startLogViewer(const std::vector<std::string>& files, std::string& whyNot);
