// Port discovery on Windows: the devices that offer the serial-port
// interface, asked of SetupAPI, keeping the FTDI cables the logger uses.
// <windows.h> comes before every other Windows header.
#include <windows.h>

#include <setupapi.h>

#include <algorithm>
#include <cstring>
#include <list>
#include <optional>

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
bool portName(HKEY key, std::string& name) {
    char buffer[kTextBufferBytes] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, "PortName", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return false;
    }
    name.assign(buffer, strnlen(buffer, sizeof buffer));
    return true;
}

// FTDI's driver keeps the latency timer of the port's Advanced settings
// beside the port name, in milliseconds; another driver has none.
std::optional<int> latencyTimerMs(HKEY key) {
    DWORD ms = 0;
    DWORD size = sizeof ms;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, "LatencyTimer", nullptr, &type, reinterpret_cast<BYTE*>(&ms), &size);
    if (status != ERROR_SUCCESS || type != REG_DWORD || size != sizeof ms ||
        ms > kLongestLatencyTimerMs) {
        return std::nullopt;
    }
    return static_cast<int>(ms);
}

struct NumberedPort {
    int number;
    std::optional<int> latencyMs;
};

// The device's COM port number and latency timer from its hardware key;
// nothing when the key or its port name cannot be read.
std::optional<NumberedPort> portInHardwareKey(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    HKEY key =
        SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string name;
    std::optional<NumberedPort> port;
    if (portName(key, name)) {
        port = NumberedPort{comPortNumber(name), latencyTimerMs(key)};
    }
    RegCloseKey(key);
    return port;
}

// The FTDI cables present, ascending by COM port number; equal numbers all
// kept in the order found.
std::list<NumberedPort> ftdiPortsByNumber() {
    std::list<NumberedPort> ports;
    const HDEVINFO devices = SetupDiGetClassDevsA(&kComPortInterface, nullptr, nullptr,
                                                  DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE) {
        return ports;
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        if (deviceProperty(devices, device, SPDRP_DEVICEDESC) != kFtdiDescription ||
            deviceProperty(devices, device, SPDRP_MFG) != kFtdiMaker) {
            continue;
        }
        if (const auto port = portInHardwareKey(devices, device)) {
            ports.push_back(*port);
        }
    }
    SetupDiDestroyDeviceInfoList(devices);
    // std::list::sort is stable
    ports.sort([](const NumberedPort& a, const NumberedPort& b) { return a.number < b.number; });
    return ports;
}

}  // namespace

std::vector<FtdiPort> discoverFtdiPortsWithLatency() {
    std::vector<FtdiPort> ports;
    for (const NumberedPort& port : ftdiPortsByNumber()) {
        ports.push_back({"COM" + std::to_string(port.number), port.latencyMs});
    }
    return ports;
}
