#include "tests/support/pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

PtyPair::PtyPair() {
    char name[128] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    termios tio{};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    m_slavePath = name;
}

PtyPair::~PtyPair() {
    if (m_master >= 0) {
        ::close(m_master);
    }
    ::close(m_slave);
}

void PtyPair::writeMaster(const std::string& bytes) {
    if (::write(m_master, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("write to pty master failed");
    }
}

std::string PtyPair::readMasterLine(int timeoutMs) {
    std::string got;
    while (got.find('\n') == std::string::npos) {
        pollfd pfd{m_master, POLLIN, 0};
        if (::poll(&pfd, 1, timeoutMs) <= 0) {
            break;
        }
        char buffer[256];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

void PtyPair::hangUp() {
    ::close(m_master);
    m_master = -1;
}
