#include "tests/support/pty_pair.h"

#include <poll.h>
#include <unistd.h>

#include <stdexcept>

void PtyPair::writeMaster(const std::string& bytes) {
    if (::write(m_terminal.master(), bytes.data(), bytes.size()) !=
        static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("write to the pseudo-terminal failed");
    }
}

std::string PtyPair::readMasterLine(int timeoutMs) {
    std::string got;
    while (got.find('\n') == std::string::npos) {
        pollfd pfd{m_terminal.master(), POLLIN, 0};
        if (::poll(&pfd, 1, timeoutMs) <= 0) {
            break;
        }
        char buffer[256];
        const ssize_t n = ::read(m_terminal.master(), buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}
