#include "cli/exit_status.h"

ExitStatus ExitStatusFor(TransferOutcome outcome) {
    switch (outcome) {
        case TransferOutcome::Completed:
            return kExitCompleted;
        case TransferOutcome::Cancelled:
            return kExitCancelled;
        case TransferOutcome::NoData:
            return kExitNoData;
        case TransferOutcome::NotConnected:
            return kExitNotConnected;
        case TransferOutcome::Failed:
            break;
    }
    return kExitFailed;
}
