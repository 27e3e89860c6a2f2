#include "sim/stop_signal.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace ktr90 {

StopSignal::StopSignal() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        throw std::runtime_error("cannot create the stop pipe");
    }
    m_readEnd = ends[0];
    m_writeEnd = ends[1];
}

StopSignal::~StopSignal() {
    ::close(m_readEnd);
    ::close(m_writeEnd);
}

void StopSignal::raise() {
    m_raised = true;
    const char wake = 1;
    // A full pipe already wakes the reader, so a failed write loses nothing.
    [[maybe_unused]] const auto written = ::write(m_writeEnd, &wake, 1);
}

bool StopSignal::pause(std::chrono::microseconds duration) const {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + duration;
    while (!raised()) {
        const auto left =
            std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return true;
        }
        const timespec wait{static_cast<time_t>(left.count() / 1'000'000'000),
                            static_cast<long>(left.count() % 1'000'000'000)};
        pollfd wake{m_readEnd, POLLIN, 0};
        if (::ppoll(&wake, 1, &wait, nullptr) < 0 && errno != EINTR) {
            return false;
        }
    }
    return false;
}

}  // namespace ktr90
