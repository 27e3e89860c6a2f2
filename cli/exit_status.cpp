#include "cli/exit_status.h"

#include "app/texts.h"

ExitStatus ExitStatusFor(const std::vector<std::string>& messages, bool cancelled) {
    if (messages.empty()) {
        return cancelled ? kExitCancelled : kExitFailed;
    }
    const std::string& last = messages.back();
    if (last == txt::kCompleted || last == txt::kUpdateComplete) {
        return kExitCompleted;
    }
    if (last == txt::kNoData) {
        return kExitNoData;
    }
    return last == txt::kNotConnected ? kExitNotConnected : kExitFailed;
}
