#pragma once

#include <stdexcept>
#include <string>

// Thrown by SerialPortAPI when a system call on the port fails. The message
// names the failing call and the operation, followed by the system's text.
class SerialPortException : public std::runtime_error {
public:
    explicit SerialPortException(const std::string& message) : std::runtime_error(message) {}
};
