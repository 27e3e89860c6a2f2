// On Windows the viewer is datadock-viewer.exe, beside datadock.exe.
#include <cstdio>

#include "cli/log_viewer_launch.h"
#include "viewer/win32/log_viewer_start.h"

const char* const kViewOptionUsage = " [--view]";

bool LaunchLogViewer(const std::string& lap, const std::string& log) {
    std::string whyNot;
    if (!startLogViewer({lap, log}, whyNot)) {
        std::fprintf(stderr, "datadock: the log viewer could not be started: %s\n", whyNot.c_str());
        return false;
    }
    return true;
}
