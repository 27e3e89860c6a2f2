#pragma once

#include <stdexcept>
#include <string>

// Thrown by SerialPortAPI when a system call on the port fails. what() names
// the failing call and the operation, followed by the system's text, for logs
// and tests; UserText() says the same in a user's words.
class SerialPortException : public std::runtime_error {
public:
    SerialPortException(const std::string& technical, std::string userText)
        : std::runtime_error(technical), m_userText(std::move(userText)) {}

    const std::string& UserText() const noexcept { return m_userText; }

private:
    std::string m_userText;
};
