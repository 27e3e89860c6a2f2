// Port discovery on Windows: the devices that offer the serial-port
// interface, asked of SetupAPI, keeping the FTDI cables the logger uses.
// <windows.h> comes before every other Windows header.
#include <windows.h>

#include <setupapi.h>

#include <algorithm>
#include <cstring>
#include <list>

#include "serial/com_port_number.h"
#include "serial/port_discovery.h"

namespace {

// The serial-port device interface class, {86E0D1E0-8089-11D0-9CE4-08003E301F73}.
constexpr GUID kComPortInterface = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};
constexpr char kFtdiDescription[] = "USB Serial Port";
constexpr char kFtdiMaker[] = "FTDI";
constexpr DWORD kTextBufferBytes = 256;

// A text property of the device; empty when it cannot be read.
std::string deviceProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
    char buffer[kTextBufferBytes] = {};
    if (!SetupDiGetDeviceRegistryPropertyA(devices, &device, property, nullptr,
                                           reinterpret_cast<BYTE*>(buffer), sizeof buffer - 1,
                                           nullptr)) {
        return {};
    }
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

// The "PortName" the system gave the device in its hardware key.
bool devicePortName(HDEVINFO devices, SP_DEVINFO_DATA& device, std::string& portName) {
    HKEY key =
        SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE) {
        return false;
    }
    char buffer[kTextBufferBytes] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, "PortName", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    portName.assign(buffer, strnlen(buffer, sizeof buffer));
    return true;
}

// The COM port numbers of the FTDI cables present, ascending; equal numbers
// all kept in the order found.
std::list<int> ftdiPortNumbers() {
    std::list<int> numbers;
    const HDEVINFO devices = SetupDiGetClassDevsA(&kComPortInterface, nullptr, nullptr,
                                                  DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE) {
        return numbers;
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        std::string portName;
        if (deviceProperty(devices, device, SPDRP_DEVICEDESC) != kFtdiDescription ||
            deviceProperty(devices, device, SPDRP_MFG) != kFtdiMaker ||
            !devicePortName(devices, device, portName)) {
            continue;
        }
        numbers.push_back(comPortNumber(portName));
    }
    SetupDiDestroyDeviceInfoList(devices);
    numbers.sort();  // std::list::sort is stable
    return numbers;
}

}  // namespace

std::vector<std::string> discoverFtdiPorts() {
    std::vector<std::string> ports;
    for (const int number : ftdiPortNumbers()) {
        ports.push_back("COM" + std::to_string(number));
    }
    return ports;
}
