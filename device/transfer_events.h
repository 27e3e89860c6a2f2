#pragma once

#include <string>

#include "device/transfer_result.h"

// Whoever shows a running transfer: the window, the command line, a test. The
// transfer tells it what happens and asks it whether to stop; it knows
// nothing of how any of it is shown.
class TransferEvents {
public:
    virtual ~TransferEvents() = default;

    // The line under the title: the file being written, or an update's versions.
    virtual void ShowInfo(const std::string& text) = 0;
    // The share of the work done, 0 to 100.
    virtual void ShowProgress(int percent) = 0;
    // An update that ends early takes its progress away at once.
    virtual void HideProgress() = 0;
    // The logger has not answered for a while (true), or answers again (false).
    virtual void LoggerSilent(bool silent) = 0;
    // Long work on the line begins (true) or ends (false).
    virtual void Busy(bool busy) = 0;
    // From the logger's acceptance of an update until its end a stop leaves
    // the logger without firmware, so it should be confirmed first.
    virtual void UpdateUnderway(bool underway) = 0;
    // Asked at every wait, at least every 20 ms: a window keeps its events
    // flowing here. True once the user asked to stop.
    virtual bool StopRequested() = 0;
    // The result, as soon as it is known; a download still closes its
    // conversation with the logger after it.
    virtual void Finished(const TransferResult& result) = 0;
};
