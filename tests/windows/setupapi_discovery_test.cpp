// Port discovery through SetupAPI, on serial devices the test registers in
// the Wine prefix itself: a fresh prefix has none.
#include <windows.h>
#include <setupapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "serial/com_port_number.h"
#include "serial/port_discovery.h"

namespace {

using Ports = std::vector<std::string>;

constexpr GUID kPortsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
constexpr GUID kComPortInterface = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

// A serial port device as a driver would leave it: description and
// manufacturer, "PortName" in its hardware key, the serial-port interface
// enabled. Removed again when the object goes.
class RegisteredSerialDevice {
public:
    RegisteredSerialDevice(const std::wstring& description, const std::wstring& maker,
                           const std::wstring& portName)
        : m_set(SetupDiCreateDeviceInfoList(&kPortsClass, nullptr)) {
        m_device.cbSize = sizeof m_device;
        registered = m_set != INVALID_HANDLE_VALUE &&
                     SetupDiCreateDeviceInfoW(m_set, L"PORTS", &kPortsClass, nullptr, nullptr,
                                              DICD_GENERATE_ID, &m_device) &&
                     SetupDiRegisterDeviceInfo(m_set, &m_device, 0, nullptr, nullptr, nullptr) &&
                     setText(SPDRP_DEVICEDESC, description) && setText(SPDRP_MFG, maker) &&
                     setPortName(portName) && enableInterface();
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
            m_set, &m_device, property, reinterpret_cast<const BYTE*>(text.c_str()),
            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    bool setPortName(const std::wstring& portName) {
        HKEY key = SetupDiCreateDevRegKeyW(m_set, &m_device, DICS_FLAG_GLOBAL, 0, DIREG_DEV,
                                           nullptr, nullptr);
        if (key == INVALID_HANDLE_VALUE) {
            return false;
        }
        const LONG status =
            RegSetValueExW(key, L"PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>(portName.c_str()),
                           static_cast<DWORD>((portName.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return status == ERROR_SUCCESS;
    }

    // The interface counts as present once its "Linked" flag is set, as the
    // system does when the driver enables it.
    bool enableInterface() {
        SP_DEVICE_INTERFACE_DATA portInterface{};
        portInterface.cbSize = sizeof portInterface;
        if (!SetupDiCreateDeviceInterfaceW(m_set, &m_device, &kComPortInterface, nullptr, 0,
                                           &portInterface)) {
            return false;
        }
        return true;
    }

    HDEVINFO m_set;
    SP_DEVINFO_DATA m_device{};
};

TEST(SetupApiDiscoveryTest, OnlyFtdiUsbSerialPortsInAscendingOrderOfTheirNumbers) {
    ASSERT_TRUE(discoverFtdiPorts().empty()) << "the prefix already has a port";
    const RegisteredSerialDevice ftdi12(L"USB Serial Port", L"FTDI", L"COM12");
    const RegisteredSerialDevice ftdi5(L"USB Serial Port", L"FTDI", L"COM5");
    const RegisteredSerialDevice otherMaker(L"USB Serial Port", L"Prolific", L"COM6");
    const RegisteredSerialDevice otherKind(L"USB Serial Converter", L"FTDI", L"COM7");
    const RegisteredSerialDevice lowerCase(L"usb serial port", L"FTDI", L"COM8");
    const RegisteredSerialDevice ftdi3(L"USB Serial Port", L"FTDI", L"COM3");
    const RegisteredSerialDevice* const devices[] = {&ftdi12, &ftdi5,     &otherMaker,
                                                     &otherKind, &lowerCase, &ftdi3};
    for (const RegisteredSerialDevice* device : devices) {
        ASSERT_TRUE(device->registered) << GetLastError();
    }
    EXPECT_EQ(discoverFtdiPorts(), (Ports{"COM3", "COM5", "COM12"}));

    _putenv_s("DATADOCK_EXTRA_PORTS", "COM20:COM2");
    EXPECT_EQ(offeredPorts(), (Ports{"COM3", "COM5", "COM12", "COM20", "COM2"}));
    _putenv_s("DATADOCK_EXTRA_PORTS", "");
}

TEST(SetupApiDiscoveryTest, PortNamesAreReadAsTheSystemWritesThem) {
    EXPECT_EQ(comPortNumber("COM7"), 7);
    EXPECT_EQ(comPortNumber("COM15"), 15);
    EXPECT_EQ(comPortNumber("COMCOM4"), 4) << "every COM goes";
    EXPECT_EQ(comPortNumber(" COM 9x"), 9);
    EXPECT_EQ(comPortNumber("com3"), 0) << "only upper case is taken out";
    EXPECT_EQ(comPortNumber("COM"), 0);
    EXPECT_EQ(comPortNumber("COM99999999999"), 2147483647) << "held, not wrapped";
}

}  // namespace
