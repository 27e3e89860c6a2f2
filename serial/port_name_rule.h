#pragma once

#include <string>

enum class PortNaming {
    Windows,  // COM1, COM12, ...
    Posix,    // /dev/ttyUSB0, /dev/pts/3, ...
};

// Whether a name may be handed to the port: on Windows a non-empty name whose
// first three characters are exactly "COM" (the rest is not examined); on
// POSIX systems a name that begins with "/dev/" and names something after it.
bool isAcceptablePortName(const std::string& name, PortNaming naming);

// The naming of the platform this program was built for.
PortNaming platformPortNaming();
