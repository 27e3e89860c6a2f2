#pragma once

#include <string>
#include <vector>

// The ports the window and the command line offer. The logger is attached
// through an FTDI cable, so only FTDI ports are looked for; other ports (a
// test rig's pseudo-terminal, an adapter of another make) can be added by hand.

// The ttys whose USB serial port is driven by ftdi_sio, read from sysfs
// (no udev needed), as devRoot + "/" + name, in ascending order of the
// number their names end in (ttyUSB3 before ttyUSB12). Empty when sysfs
// cannot be read.
std::vector<std::string> discoverFtdiPorts(const std::string& sysfsRoot = "/sys",
                                           const std::string& devRoot = "/dev");

// The paths listed in DATADOCK_EXTRA_PORTS, separated by ':', in their order;
// empty parts are skipped.
std::vector<std::string> extraPortsFromEnvironment();

// The FTDI ports, then the extra ones.
std::vector<std::string> offeredPorts();
