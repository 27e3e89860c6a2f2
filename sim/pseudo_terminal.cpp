#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace ktr90 {
namespace {

void addDescriptorFlags(int fd, int fdFlags, int statusFlags) {
    ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | fdFlags);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | statusFlags);
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    char name[128] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    // Raw at once: no echo, no line editing, no CR/LF translation, even
    // before the program sets the line up itself.
    termios settings{};
    ::tcgetattr(m_slave, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(m_slave, TCSANOW, &settings);
    addDescriptorFlags(m_master, FD_CLOEXEC, O_NONBLOCK);
    addDescriptorFlags(m_slave, FD_CLOEXEC, 0);
    m_slavePath = name;
}

PseudoTerminal::~PseudoTerminal() {
    closeMaster();
    ::close(m_slave);
}

void PseudoTerminal::closeMaster() {
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}

void PseudoTerminal::releaseExclusiveUse() {
    ::ioctl(m_slave, TIOCNXCL);
}

int PseudoTerminal::unreadByProgram() const {
    int unread = 0;
    return ::ioctl(m_slave, TIOCINQ, &unread) == 0 ? unread : 0;
}

}  // namespace ktr90
