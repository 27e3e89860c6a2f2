// Finding the FTDI ports in a sysfs tree built as the kernel lays it out.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "serial/latency_timer_hint.h"
#include "serial/port_discovery.h"
#include "serial/sysfs_discovery.h"
#include "tests/support/temp_files.h"

namespace fs = std::filesystem;

namespace {

using Ports = std::vector<std::string>;

// A sysfs tree in a fresh temporary folder: class/tty/NAME leads to the tty
// under its USB port, whose driver link names the adapter's driver. Links are
// relative, as the kernel makes them.
struct SysfsTree {
    SysfsTree() { fs::create_directories(root / "class" / "tty"); }
    ~SysfsTree() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    // Without a driver, a tty with no device behind it; pulled, a tty whose
    // device link leads nowhere; the port's latency_timer file holds latency.
    void addTty(const std::string& name, const std::string& driver, bool pulled = false,
                const char* latency = nullptr) {
        const fs::path port = root / "devices" / "usb1" / ("1-" + name + ":1.0") / name;
        const fs::path tty = port / "tty" / name;
        fs::create_directories(tty);
        if (latency != nullptr) {
            std::ofstream(port / "latency_timer") << latency;
        }
        link(root / "class" / "tty" / name, tty);
        if (!driver.empty()) {
            const fs::path driverDir = root / "bus" / "usb-serial" / "drivers" / driver;
            fs::create_directories(driverDir);
            link(port / "driver", driverDir);
            link(tty / "device", port);
        }
        if (pulled) {
            fs::rename(port, port.string() + "-gone");
        }
    }
    static void link(const fs::path& from, const fs::path& to) {
        fs::create_directory_symlink(fs::relative(to, from.parent_path()), from);
    }

    const fs::path root = TempPath("sysfs");
};

TEST(PortDiscoveryTest, OnlyFtdiPortsInAscendingOrder_WithTheLatencyTimerTheDriverShows) {
    SysfsTree sysfs;
    EXPECT_TRUE(discoverFtdiPortsInSysfs(sysfs.root, "/dev").empty());
    EXPECT_TRUE(discoverFtdiPortsInSysfs(sysfs.root / "missing", "/dev").empty());

    sysfs.addTty("ttyUSB12", "ftdi_sio", false, "16\n");
    sysfs.addTty("ttyUSB0", "ftdi_sio", false, "1\n");
    sysfs.addTty("ttyUSB3", "ftdi_sio");
    sysfs.addTty("ttyFTDI3", "ftdi_sio", false, "256\n");
    sysfs.addTty("ttyUSB1", "cp210x");
    sysfs.addTty("ttyACM0", "cdc_acm");
    sysfs.addTty("ttyS0", "");
    sysfs.addTty("ttyUSB7", "ftdi_sio", true);

    const std::vector<FtdiPort> found = discoverFtdiPortsInSysfs(sysfs.root, "/dev");
    EXPECT_EQ(found, (std::vector<FtdiPort>{{"/dev/ttyUSB0", 1},
                                            {"/dev/ttyFTDI3", std::nullopt},
                                            {"/dev/ttyUSB3", std::nullopt},
                                            {"/dev/ttyUSB12", 16}}))
        << "equal numbers are all kept; a timer only where the file holds one of 0 to 255";

    EXPECT_EQ(latencyTimerNote(found[3]), "  (latency timer 16 ms)");
    EXPECT_EQ(latencyTimerNote(found[2]), "");
    // Only the port above 1 ms is named in the advice.
    const std::string hint = latencyTimerHint(found);
    EXPECT_NE(hint.find("echo 1 > /sys/bus/usb-serial/devices/ttyUSB12/latency_timer"),
              std::string::npos);
    EXPECT_EQ(hint.find("ttyUSB0"), std::string::npos);
    EXPECT_EQ(latencyTimerHint({found[0], found[2]}), "");
}

TEST(PortDiscoveryTest, ExtraPortsAreSplitAtColonsAndFollowTheFtdiPorts) {
    Ports expected = discoverFtdiPorts();
    setenv("DATADOCK_EXTRA_PORTS", ":/dev/pts/9::/dev/ttyS1:/dev/pts/9", 1);
    expected.insert(expected.end(), {"/dev/pts/9", "/dev/ttyS1", "/dev/pts/9"});
    EXPECT_EQ(offeredPorts(), expected);
    unsetenv("DATADOCK_EXTRA_PORTS");
    EXPECT_TRUE(extraPortsFromEnvironment().empty());
}

}  // namespace
