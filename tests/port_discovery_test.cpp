// Finding the FTDI ports in a sysfs tree built as the kernel lays it out.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "serial/port_discovery.h"
#include "serial/sysfs_discovery.h"

namespace fs = std::filesystem;

namespace {

using Ports = std::vector<std::string>;

// A sysfs tree in a fresh temporary directory, links relative as the kernel
// makes them.
class SysfsTree {
public:
    SysfsTree() {
        std::string pattern = (fs::temp_directory_path() / "datadock-sysfs-XXXXXX").string();
        m_root = mkdtemp(pattern.data());
        fs::create_directories(classTty());
    }
    ~SysfsTree() {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }
    SysfsTree(const SysfsTree&) = delete;
    SysfsTree& operator=(const SysfsTree&) = delete;

    std::string root() const { return m_root.string(); }

    // A tty of a USB serial adapter: usb interface / port dir (driver link) / tty / name.
    void addUsbSerialTty(const std::string& name, const std::string& driver) {
        const fs::path port = usbInterface(name) / name;
        addTtyOf(port, name);
        link(port / "driver", driverDir("usb-serial", driver));
    }

    // A tty of a modem class device, whose port is the USB interface itself.
    void addAcmTty(const std::string& name) {
        const fs::path interface = usbInterface(name);
        addTtyOf(interface, name);
        link(interface / "driver", driverDir("usb", "cdc_acm"));
    }

    // A tty with no device behind it.
    void addVirtualTty(const std::string& name) {
        const fs::path tty = m_root / "devices" / "virtual" / "tty" / name;
        fs::create_directories(tty);
        link(classTty() / name, tty);
    }

    // A tty whose device link leads nowhere (the adapter was just pulled).
    void addDanglingTty(const std::string& name) {
        const fs::path port = usbInterface(name) / name;
        addTtyOf(port, name);
        fs::remove_all(port / "driver");
        fs::rename(port, port.string() + "-gone");
    }

private:
    fs::path classTty() const { return m_root / "class" / "tty"; }

    fs::path usbInterface(const std::string& name) const {
        return m_root / "devices" / "pci0000:00" / "0000:00:14.0" / "usb1" / ("1-" + name) /
               ("1-" + name + ":1.0");
    }

    fs::path driverDir(const std::string& bus, const std::string& driver) const {
        const fs::path dir = m_root / "bus" / bus / "drivers" / driver;
        fs::create_directories(dir);
        return dir;
    }

    void addTtyOf(const fs::path& port, const std::string& name) {
        const fs::path tty = port / "tty" / name;
        fs::create_directories(tty);
        link(tty / "device", port);
        link(classTty() / name, tty);
    }

    static void link(const fs::path& from, const fs::path& to) {
        fs::create_directory_symlink(fs::relative(to, from.parent_path()), from);
    }

    fs::path m_root;
};

TEST(PortDiscoveryTest, OnlyFtdiPortsInAscendingOrderOfTheirNumbers) {
    SysfsTree sysfs;
    EXPECT_TRUE(discoverFtdiPortsInSysfs(sysfs.root(), "/dev").empty());
    EXPECT_TRUE(discoverFtdiPortsInSysfs(sysfs.root() + "/missing", "/dev").empty());

    sysfs.addUsbSerialTty("ttyUSB12", "ftdi_sio");
    sysfs.addUsbSerialTty("ttyUSB0", "ftdi_sio");
    sysfs.addUsbSerialTty("ttyUSB1", "cp210x");
    sysfs.addUsbSerialTty("ttyUSB3", "ftdi_sio");
    sysfs.addUsbSerialTty("ttyFTDI3", "ftdi_sio");
    sysfs.addAcmTty("ttyACM0");
    sysfs.addVirtualTty("ttyS0");
    sysfs.addDanglingTty("ttyUSB7");

    EXPECT_EQ(discoverFtdiPortsInSysfs(sysfs.root(), "/dev"),
              (Ports{"/dev/ttyUSB0", "/dev/ttyFTDI3", "/dev/ttyUSB3", "/dev/ttyUSB12"}))
        << "equal numbers are all kept";
}

TEST(PortDiscoveryTest, ExtraPortsAreSplitAtColonsAndFollowTheFtdiPorts) {
    const Ports ftdi = discoverFtdiPorts();
    setenv("DATADOCK_EXTRA_PORTS", ":/dev/pts/9::/dev/ttyS1:/dev/pts/9", 1);
    EXPECT_EQ(extraPortsFromEnvironment(), (Ports{"/dev/pts/9", "/dev/ttyS1", "/dev/pts/9"}));
    Ports expected = ftdi;
    expected.insert(expected.end(), {"/dev/pts/9", "/dev/ttyS1", "/dev/pts/9"});
    EXPECT_EQ(offeredPorts(), expected);
    unsetenv("DATADOCK_EXTRA_PORTS");
    EXPECT_TRUE(extraPortsFromEnvironment().empty());
}

}  // namespace
