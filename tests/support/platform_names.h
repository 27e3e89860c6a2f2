#pragma once

#include <string>

#include "serial/port_name_rule.h"

// Names as the platform under test spells them.

// A serial port with this number: COM5 on Windows, /dev/ttyUSB5 elsewhere.
inline std::string PortName(int number) {
    const char* prefix = platformPortNaming() == PortNaming::Windows ? "COM" : "/dev/ttyUSB";
    return prefix + std::to_string(number);
}

// A file every write to fails as on a full disk. Windows tests run under
// Wine, whose drive Z: is the root of the Unix file system.
inline std::string FullDiskPath() {
    return platformPortNaming() == PortNaming::Windows ? "Z:\\dev\\full" : "/dev/full";
}
