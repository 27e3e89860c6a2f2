#pragma once

#include <optional>
#include <string>
#include <vector>

// The ports the window and the command line offer. The logger is attached
// through an FTDI cable, so only FTDI ports are looked for; other ports (a
// test rig's pseudo-terminal, an adapter of another make) can be added by hand.

// An FTDI cable's port: the name the port opens it with (/dev/ttyUSB3, COM12)
// and, where the system tells it, the cable's latency timer, which holds each
// short reply that long before the cable passes it on.
struct FtdiPort {
    std::string name;
    std::optional<int> latencyMs;

    bool operator==(const FtdiPort&) const = default;
};

// The chip keeps its latency timer in one byte.
constexpr int kLongestLatencyTimerMs = 255;

// The FTDI ports present, in ascending order of the numbers their names end
// in. Each platform has its own file: sysfs on Linux, SetupAPI on Windows.
// Empty when nothing can be asked.
std::vector<FtdiPort> discoverFtdiPortsWithLatency();

// The same ports by their names alone.
std::vector<std::string> discoverFtdiPorts();

// The names listed in DATADOCK_EXTRA_PORTS, separated by ':', in their order;
// empty parts are skipped.
std::vector<std::string> extraPortsFromEnvironment();

// The FTDI ports, then the extra ones.
std::vector<std::string> offeredPorts();
