#pragma once

#include "device/transfer_result.h"

// The command line's exit statuses. Scripts rely on them; keep them stable.
enum ExitStatus {
    kExitCompleted = 0,
    kExitFailed = 1,
    kExitCancelled = 2,
    kExitNoData = 3,
    kExitNotConnected = 4,
    kExitUsage = 64,
};

ExitStatus ExitStatusFor(TransferOutcome outcome);
