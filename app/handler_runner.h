#pragma once

#include <functional>
#include <optional>

#include "text/translation.h"

// How a window front runs the logic's handlers (clicks, timer, closing): on
// the window's thread, possibly one inside another through PumpMessages. A
// dialog ended while a handler runs ends once the outermost one has returned,
// so that a transfer always finishes its frame; nothing a handler throws
// reaches the window system.
class HandlerRunner {
public:
    // endNow ends the dialog with a result; reportUnexpected tells the user of
    // what a handler threw ("" when it said nothing).
    HandlerRunner(std::function<void(int)> endNow,
                  std::function<void(const char* what)> reportUnexpected)
        : m_endNow(std::move(endNow)), m_reportUnexpected(std::move(reportUnexpected)) {}

    void run(const std::function<void()>& handler);
    // Ends the dialog now, or when the outermost handler returns.
    void end(int result);
    // Whether a handler runs: a window ignores then what must not start inside
    // one (Enter, the log viewer's ways in). A click goes on to the logic,
    // which refuses a second transfer itself.
    bool busy() const { return m_depth > 0; }

private:
    void report(const char* what);

    std::function<void(int)> m_endNow;
    std::function<void(const char*)> m_reportUnexpected;
    int m_depth = 0;
    std::optional<int> m_pendingResult;
};

// The message of the box that reports what a handler threw; translated where
// it is shown.
inline constexpr char kUnexpectedErrorText[] = DD_TEXT("An unexpected error occurred.");
