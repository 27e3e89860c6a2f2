#include <cstdlib>

#include "serial/port_discovery.h"

namespace {
constexpr char kExtraPortsVariable[] = "DATADOCK_EXTRA_PORTS";
constexpr char kExtraPortsSeparator = ':';
}  // namespace

std::vector<std::string> discoverFtdiPorts() {
    std::vector<std::string> names;
    for (const FtdiPort& port : discoverFtdiPortsWithLatency()) {
        names.push_back(port.name);
    }
    return names;
}

std::vector<std::string> extraPortsFromEnvironment() {
    std::vector<std::string> ports;
    const char* value = std::getenv(kExtraPortsVariable);
    if (value == nullptr) {
        return ports;
    }
    const std::string list(value);
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(kExtraPortsSeparator, start);
        if (end == std::string::npos) {
            end = list.size();
        }
        if (end > start) {
            ports.push_back(list.substr(start, end - start));
        }
        start = end + 1;
    }
    return ports;
}

std::vector<std::string> offeredPorts() {
    std::vector<std::string> ports = discoverFtdiPorts();
    const std::vector<std::string> extra = extraPortsFromEnvironment();
    ports.insert(ports.end(), extra.begin(), extra.end());
    return ports;
}
