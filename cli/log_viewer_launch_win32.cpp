// On Windows the viewer is datadock-viewer.exe, beside datadock.exe.
#include <cstdio>

#include "cli/console.h"
#include "cli/log_viewer_launch.h"
#include "text/translation.h"
#include "viewer/win32/log_viewer_start.h"

const char* const kViewOptionUsage = " [--view]";

bool LaunchLogViewer(const std::string& lap, const std::string& log) {
    std::string whyNot;
    if (!startLogViewer({lap, log}, whyNot)) {
        PrintText(stderr, "datadock: " +
                              translated("the log viewer could not be started: {reason}",
                                         {{"reason", whyNot}}) +
                              "\n");
        return false;
    }
    return true;
}
