#include "app/handler_runner.h"

#include <exception>
#include <utility>

void HandlerRunner::run(const std::function<void()>& handler) {
    ++m_depth;
    try {
        handler();
    } catch (const std::exception& error) {
        report(error.what());
    } catch (...) {
        report("");
    }
    --m_depth;
    if (m_depth == 0 && m_pendingResult) {
        m_endNow(*std::exchange(m_pendingResult, std::nullopt));
    }
}

void HandlerRunner::end(int result) {
    if (m_depth > 0) {
        m_pendingResult = result;
        return;
    }
    m_endNow(result);
}

void HandlerRunner::report(const char* what) {
    try {
        m_reportUnexpected(what);
    } catch (...) {
        // Nothing more can be told; the window goes on.
    }
}
