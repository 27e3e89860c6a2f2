// Port discovery through SetupAPI, on serial devices the test registers in
// the Wine prefix itself: a fresh prefix has none.
#include <windows.h>
// SetupAPI's header needs windows.h before it.
#include <setupapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "serial/com_port_number.h"
#include "serial/latency_timer_hint.h"
#include "serial/port_discovery.h"

namespace {

using Ports = std::vector<std::string>;

constexpr GUID kPortsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
constexpr GUID kComPortInterface = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

template <typename Char>
DWORD bytesOf(const std::basic_string<Char>& text) {
    return static_cast<DWORD>((text.size() + 1) * sizeof(Char));
}

// A serial port device as a driver would leave it: description and
// manufacturer, "PortName" (and FTDI's "LatencyTimer", when given) in its
// hardware key, the serial-port interface present. Removed again when the
// object goes.
class RegisteredSerialDevice {
public:
    RegisteredSerialDevice(const std::wstring& description, const std::wstring& maker,
                           const std::wstring& portName, std::optional<DWORD> latencyMs = {})
        : m_set(SetupDiCreateDeviceInfoList(&kPortsClass, nullptr)) {
        m_device.cbSize = sizeof m_device;
        SP_DEVICE_INTERFACE_DATA portInterface{};
        portInterface.cbSize = sizeof portInterface;
        registered = m_set != INVALID_HANDLE_VALUE &&
                     SetupDiCreateDeviceInfoW(m_set, L"PORTS", &kPortsClass, nullptr, nullptr,
                                              DICD_GENERATE_ID, &m_device) &&
                     SetupDiRegisterDeviceInfo(m_set, &m_device, 0, nullptr, nullptr, nullptr) &&
                     setText(SPDRP_DEVICEDESC, description) && setText(SPDRP_MFG, maker) &&
                     setHardwareKey(portName, latencyMs) &&
                     SetupDiCreateDeviceInterfaceW(m_set, &m_device, &kComPortInterface, nullptr, 0,
                                                   &portInterface);
    }
    ~RegisteredSerialDevice() {
        if (m_set != INVALID_HANDLE_VALUE) {
            SetupDiRemoveDevice(m_set, &m_device);
            SetupDiDestroyDeviceInfoList(m_set);
        }
    }
    RegisteredSerialDevice(const RegisteredSerialDevice&) = delete;
    RegisteredSerialDevice& operator=(const RegisteredSerialDevice&) = delete;

    bool registered = false;

private:
    bool setText(DWORD property, const std::wstring& text) {
        return SetupDiSetDeviceRegistryPropertyW(
            m_set, &m_device, property, reinterpret_cast<const BYTE*>(text.c_str()), bytesOf(text));
    }

    bool setHardwareKey(const std::wstring& portName, std::optional<DWORD> latencyMs) {
        HKEY key = SetupDiCreateDevRegKeyW(m_set, &m_device, DICS_FLAG_GLOBAL, 0, DIREG_DEV,
                                           nullptr, nullptr);
        if (key == INVALID_HANDLE_VALUE) {
            return false;
        }
        LONG status =
            RegSetValueExW(key, L"PortName", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(portName.c_str()), bytesOf(portName));
        if (status == ERROR_SUCCESS && latencyMs) {
            status = RegSetValueExW(key, L"LatencyTimer", 0, REG_DWORD,
                                    reinterpret_cast<const BYTE*>(&*latencyMs), sizeof(DWORD));
        }
        RegCloseKey(key);
        return status == ERROR_SUCCESS;
    }

    HDEVINFO m_set;
    SP_DEVINFO_DATA m_device{};
};

// Only "USB Serial Port" made by "FTDI", both as written; ascending by number,
// two cables that claim the same number both kept; the latency timer where the
// driver keeps one.
TEST(SetupApiDiscoveryTest, OnlyFtdiUsbSerialPortsInAscendingOrder_WithTheirLatencyTimers) {
    ASSERT_TRUE(discoverFtdiPorts().empty()) << "the prefix already has a port";
    const RegisteredSerialDevice devices[] = {
        {L"USB Serial Port", L"FTDI", L"COM12", 16}, {L"USB Serial Port", L"FTDI", L"COM5"},
        {L"USB Serial Port", L"Prolific", L"COM6"},  {L"USB Serial Converter", L"FTDI", L"COM7"},
        {L"usb serial port", L"FTDI", L"COM8"},      {L"USB Serial Port", L"ftdi", L"COM9"},
        {L"USB Serial Port", L"FTDI", L"COM3"},      {L"USB Serial Port", L"FTDI", L"COM5"}};
    for (const RegisteredSerialDevice& device : devices) {
        ASSERT_TRUE(device.registered) << GetLastError();
    }
    const std::vector<FtdiPort> found = discoverFtdiPortsWithLatency();
    EXPECT_EQ(found, (std::vector<FtdiPort>{{"COM3", std::nullopt},
                                            {"COM5", std::nullopt},
                                            {"COM5", std::nullopt},
                                            {"COM12", 16}}));
    EXPECT_NE(latencyTimerHint(found).find("USB Serial Port (COM12) > Properties"),
              std::string::npos);
    EXPECT_EQ(latencyTimerHint(found).find("COM3"), std::string::npos);

    _putenv_s("DATADOCK_EXTRA_PORTS", "COM20:COM2");
    EXPECT_EQ(offeredPorts(), (Ports{"COM3", "COM5", "COM5", "COM12", "COM20", "COM2"}));
    _putenv_s("DATADOCK_EXTRA_PORTS", "");
}

TEST(SetupApiDiscoveryTest, PortNamesAreReadAsTheSystemWritesThem) {
    const std::pair<const char*, int> cases[] = {
        {"COM7", 7},    {"COM15", 15},
        {"COMCOM4", 4},                                  // every COM goes
        {" COM 9x", 9}, {"com3", 0},                     // only upper case is taken out
        {"COM", 0},     {"COM99999999999", 2147483647},  // held, not wrapped
    };
    for (const auto& [name, number] : cases) {
        EXPECT_EQ(comPortNumber(name), number) << name;
    }
}

}  // namespace
