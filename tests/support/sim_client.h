#pragma once

// The program's side of the simulated logger, on a plain descriptor so that the
// simulator's tests do not depend on the program's serial port.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>

class SimClient {
public:
    explicit SimClient(const std::string& portPath)
        : m_fd(::open(portPath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
        if (m_fd < 0) {
            throw std::runtime_error("cannot open " + portPath);
        }
        termios settings{};
        ::tcgetattr(m_fd, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(m_fd, TCSANOW, &settings);
    }
    ~SimClient() { ::close(m_fd); }
    SimClient(const SimClient&) = delete;
    SimClient& operator=(const SimClient&) = delete;

    void send(const std::string& bytes) {
        if (::write(m_fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            throw std::runtime_error("write to the simulated logger failed");
        }
    }
    // count bytes, or fewer when the time-out passes first.
    std::string readBytes(std::size_t count, int timeoutMs = 1000) {
        readUntil([&] { return m_buffer.size() >= count; }, timeoutMs);
        return take(count);
    }
    // Everything that arrives within the window, or until the line goes.
    std::string readFor(int windowMs) {
        readUntil([] { return false; }, windowMs);
        return take(m_buffer.size());
    }
    bool hungUp() const { return m_hungUp; }

private:
    template <typename Done>
    void readUntil(Done done, int timeoutMs) {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done() && !m_hungUp) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            pollfd ready{m_fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
                return;
            }
            char bytes[4096];
            const ssize_t count = ::read(m_fd, bytes, sizeof bytes);
            if (count <= 0) {
                m_hungUp = true;  // the logger's side is gone: EIO or end of file
                return;
            }
            m_buffer.append(bytes, static_cast<std::size_t>(count));
        }
    }
    std::string take(std::size_t count) {
        std::string taken = m_buffer.substr(0, count);
        m_buffer.erase(0, taken.size());
        return taken;
    }

    int m_fd = -1;
    std::string m_buffer;
    bool m_hungUp = false;
};
