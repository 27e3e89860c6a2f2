// The serial device on POSIX systems: termios, poll() and an advisory lock.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#if defined(__linux__)
#include <linux/serial.h>
#endif

#include "serial/port_name_rule.h"
#include "serial/serial_device.h"
#include "text/translation.h"

namespace {

constexpr int kWriteWaitMs = 2000;

speed_t speedFor(int baudRate) {
    switch (baudRate) {
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        default:
            return B115200;
    }
}

class PosixSerialDevice final : public SerialDevice {
public:
    ~PosixSerialDevice() override {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }

    bool open(const std::string& name) override {
        const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return failWithErrno();
        }
        // TIOCEXCL keeps other users out; root ignores it, so the lock is what
        // keeps a second instance of this program out.
        ::ioctl(fd, TIOCEXCL);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd);
            return busy ? fail(translated("locked by another program"), DeviceProblem::InUse)
                        : failWithErrno();
        }
        m_fd = fd;
        requestLowLatency();
        return true;
    }

    bool makeReadsReturnAtOnce() override {
        const int flags = ::fcntl(m_fd, F_GETFL);
        if (flags < 0 || ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK) != 0) {
            return failWithErrno();
        }
        return true;
    }

    bool setLine(const LineSettings& line) override {
        termios tio{};
        if (::tcgetattr(m_fd, &tio) != 0) {
            return failWithErrno();
        }
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, speedFor(line.baudRate));
        ::cfsetospeed(&tio, speedFor(line.baudRate));
        tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
        tio.c_cflag |= (line.dataBits == 7 ? CS7 : CS8) | CLOCAL | CREAD;
        if (line.stopBits == 2) {
            tio.c_cflag |= CSTOPB;
        }
        if (line.hardwareHandshake) {
            tio.c_cflag |= CRTSCTS;
        }
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        if (::tcsetattr(m_fd, TCSANOW, &tio) != 0) {
            return failWithErrno();
        }
        return raiseRts();
    }

    void clearErrors() override {}

    long readNow(char* buffer, std::size_t capacity) override {
        const bool promised = m_pollSaidReadable;
        m_pollSaidReadable = false;
        const ssize_t got = ::read(m_fd, buffer, capacity);
        if (got > 0) {
            return static_cast<long>(got);
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
            return 0;
        }
        if (got == 0) {
            // With VMIN = VTIME = 0 an empty read means "nothing yet", unless
            // poll() has just said there was something: then the device hung up.
            return promised ? (fail("end of file", DeviceProblem::Gone), -1) : 0;
        }
        failWithErrno();
        return -1;
    }

    WaitResult waitReadable(int timeoutMs) override {
        pollfd pfd{m_fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, timeoutMs);
        if (ready <= 0) {
            return WaitResult::TimedOut;  // EINTR too: the caller simply reads again
        }
        if ((pfd.revents & POLLIN) != 0) {
            m_pollSaidReadable = true;  // the read tells data from a hang-up
            return WaitResult::Readable;
        }
        return WaitResult::HungUp;
    }

    long write(const char* data, std::size_t size) override {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t put = ::write(m_fd, data + done, size - done);
            if (put > 0) {
                done += static_cast<std::size_t>(put);
                continue;
            }
            if (put < 0 && errno == EINTR) {
                continue;
            }
            const bool full = put < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
            if (put < 0 && !full) {
                failWithErrno();
                return -1;
            }
            if (!full || !waitWritable()) {
                break;  // the line did not drain in time: a short write
            }
        }
        return static_cast<long>(done);
    }

    bool close() override {
        const int fd = m_fd;
        m_fd = -1;
        // The exclusive flag belongs to the terminal, not to this descriptor:
        // where another descriptor keeps the terminal open, it would outlive us.
        ::ioctl(fd, TIOCNXCL);
        if (::close(fd) != 0) {
            return failWithErrno();
        }
        return true;
    }

    DeviceError lastError() const override { return m_error; }

private:
    bool fail(const std::string& text, DeviceProblem problem) {
        m_error = DeviceError{text, problem};
        return false;
    }

    bool failWithErrno() {
        const int code = errno;
        return fail(std::strerror(code), problemOf(code));
    }

    static DeviceProblem problemOf(int code) {
        switch (code) {
            case EACCES:
            case EPERM:
                return DeviceProblem::AccessDenied;
            case EBUSY:
                return DeviceProblem::InUse;
            case ENOENT:
                return DeviceProblem::NotFound;
            case EIO:
            case ENXIO:
            case ENODEV:
                return DeviceProblem::Gone;
            default:
                return DeviceProblem::Other;
        }
    }

    // A pseudo-terminal has no modem lines and answers with ENOTTY; that is the
    // one failure that is not an error.
    bool raiseRts() {
        int bits = TIOCM_RTS;
        if (::ioctl(m_fd, TIOCMBIS, &bits) != 0 && errno != ENOTTY) {
            return failWithErrno();
        }
        return true;
    }

    // USB-serial bridges hold short replies for a latency timer (16 ms on
    // FTDI); low-latency mode makes it 1 ms. Devices without it are fine.
    void requestLowLatency() {
#if defined(__linux__) && defined(TIOCGSERIAL)
        serial_struct info{};
        if (::ioctl(m_fd, TIOCGSERIAL, &info) == 0) {
            info.flags |= ASYNC_LOW_LATENCY;
            ::ioctl(m_fd, TIOCSSERIAL, &info);
        }
#endif
    }

    bool waitWritable() {
        pollfd pfd{m_fd, POLLOUT, 0};
        return ::poll(&pfd, 1, kWriteWaitMs) > 0 && (pfd.revents & POLLOUT) != 0;
    }

    int m_fd = -1;
    bool m_pollSaidReadable = false;
    DeviceError m_error;
};

}  // namespace

std::unique_ptr<SerialDevice> makePlatformSerialDevice() {
    return std::make_unique<PosixSerialDevice>();
}

PortNaming platformPortNaming() {
    return PortNaming::Posix;
}
