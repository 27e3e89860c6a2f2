#include "serial/com_port_number.h"

#include <climits>
#include <cstdlib>

int comPortNumber(std::string portName) {
    for (std::size_t at; (at = portName.find("COM")) != std::string::npos;) {
        portName.erase(at, 3);
    }
    const long long number = std::strtoll(portName.c_str(), nullptr, 10);
    if (number > INT_MAX) {
        return INT_MAX;
    }
    return number < INT_MIN ? INT_MIN : static_cast<int>(number);
}
