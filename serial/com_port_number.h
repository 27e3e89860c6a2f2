#pragma once

#include <string>

// The number of a port Windows names in a device's "PortName" value: every
// "COM" (case-sensitive) taken out, the rest read as a decimal integer the
// way atoi reads it (leading white space, an optional sign, the digits up to
// the first other character; 0 when there are none). A number too large for
// an int is held at the int's limit instead of wrapping.
int comPortNumber(std::string portName);
