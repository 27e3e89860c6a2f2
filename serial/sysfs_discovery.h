#pragma once

#include <string>
#include <vector>

#include "serial/port_discovery.h"

// The ttys whose USB serial port is driven by ftdi_sio, read from sysfs
// (no udev needed), as devRoot + "/" + name with the latency timer the port's
// latency_timer file holds, in ascending order of the number their names end
// in (ttyUSB3 before ttyUSB12). Empty when sysfs cannot be read.
std::vector<FtdiPort> discoverFtdiPortsInSysfs(const std::string& sysfsRoot,
                                               const std::string& devRoot);
