#pragma once

#include <string>

// `datadock log-save --view`: the log viewer opened on the pair just saved,
// as a program of its own that outlives the command. Each build has its own
// file: a build without the viewer offers no --view.

// " [--view]" where the viewer exists, "" where it does not.
extern const char* const kViewOptionUsage;

// Starts the viewer on the two files without waiting for it; false, with a
// line on stderr that says why, when it cannot be started. DATADOCK_VIEWER
// names the viewer's program if it is not datadock-viewer beside this one
// (or, on Linux, on the PATH).
bool LaunchLogViewer(const std::string& lap, const std::string& log);
