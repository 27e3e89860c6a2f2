#pragma once

#include <windows.h>

#include <string>

#include "serial/serial_device.h"

// The system's own text for an error code, without its closing line break;
// empty when the system has none.
std::string win32ErrorText(DWORD code);

// What an error of the Win32 communications functions means for a user.
DeviceProblem win32DeviceProblem(DWORD code);

inline DeviceError win32DeviceError(DWORD code) {
    return DeviceError{win32ErrorText(code), win32DeviceProblem(code)};
}
