#pragma once

#include <string>
#include <vector>

// The command line's exit statuses. Scripts rely on them; keep them stable.
enum ExitStatus {
    kExitCompleted = 0,
    kExitFailed = 1,
    kExitCancelled = 2,
    kExitNoData = 3,
    kExitNotConnected = 4,
    kExitUsage = 64,
};

// The status a transfer ends with, from the messages it showed and whether the
// user cancelled it.
ExitStatus ExitStatusFor(const std::vector<std::string>& messages, bool cancelled);
