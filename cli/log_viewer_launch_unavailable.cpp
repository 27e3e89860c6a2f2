// Builds without the log viewer offer no --view.
#include "cli/log_viewer_launch.h"

const char* const kViewOptionUsage = "";

bool LaunchLogViewer(const std::string&, const std::string&) {
    return false;
}
