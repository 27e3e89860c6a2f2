#pragma once

#include <cstddef>
#include <string>

// The program's side of the simulated logger, on plain descriptors so that the
// simulator's tests do not depend on the program's serial port.
class SimClient {
public:
    explicit SimClient(const std::string& portPath);
    ~SimClient();
    SimClient(const SimClient&) = delete;
    SimClient& operator=(const SimClient&) = delete;

    void send(const std::string& bytes);
    // Sends the command with "\r\n" and returns the reply up to its "\n".
    std::string exchange(const std::string& command, int timeoutMs = 1000);
    // Up to and including the next "\n", or whatever arrived by the time-out.
    std::string readLine(int timeoutMs = 1000);
    // count bytes, or fewer when the time-out passes first.
    std::string readBytes(std::size_t count, int timeoutMs = 1000);
    // Everything that arrives within the window.
    std::string readFor(int windowMs);
    // Whether the logger dropped the line within the time-out.
    bool seesHangUp(int timeoutMs);

private:
    template <typename Done>
    void readUntil(Done done, int timeoutMs);
    std::string take(std::size_t count);

    int m_fd = -1;
    std::string m_buffer;
    bool m_hungUp = false;
};
