#pragma once

#include <string>
#include <vector>

// The ports the window and the command line offer. The logger is attached
// through an FTDI cable, so only FTDI ports are looked for; other ports (a
// test rig's pseudo-terminal, an adapter of another make) can be added by hand.

// The FTDI ports present, by the names the port opens them with (/dev/ttyUSB3,
// COM12), in ascending order of their numbers. Each platform has its own
// file: sysfs on Linux, SetupAPI on Windows. Empty when nothing can be asked.
std::vector<std::string> discoverFtdiPorts();

// The names listed in DATADOCK_EXTRA_PORTS, separated by ':', in their order;
// empty parts are skipped.
std::vector<std::string> extraPortsFromEnvironment();

// The FTDI ports, then the extra ones.
std::vector<std::string> offeredPorts();
