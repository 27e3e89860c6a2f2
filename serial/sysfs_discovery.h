#pragma once

#include <string>
#include <vector>

// The ttys whose USB serial port is driven by ftdi_sio, read from sysfs
// (no udev needed), as devRoot + "/" + name, in ascending order of the
// number their names end in (ttyUSB3 before ttyUSB12). Empty when sysfs
// cannot be read.
std::vector<std::string> discoverFtdiPortsInSysfs(const std::string& sysfsRoot,
                                                  const std::string& devRoot);
