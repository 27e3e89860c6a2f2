// On Linux the port asks the driver for low latency whenever it opens, which
// sets the timer to 1 ms; other programs need it set in sysfs.
#include <filesystem>

#include "serial/latency_timer_hint.h"
#include "text/translation.h"

std::string latencyTimerSteps(const std::vector<std::string>& slowPorts) {
    std::string steps = translated(
        "DataDock asks for 1 ms itself whenever it opens a port. To lower it for other\n"
        "programs too, as root (until the cable is unplugged):\n");
    for (const std::string& port : slowPorts) {
        const std::string tty = std::filesystem::path(port).filename().string();
        steps += "  echo 1 > /sys/bus/usb-serial/devices/" + tty + "/latency_timer\n";
    }
    return steps +
           translated(
               "or for good with a udev rule, for example this line in\n"
               "{rules}:\n",
               {{"rules", "/etc/udev/rules.d/99-ftdi-latency.rules"}}) +
           "  ACTION==\"add\", SUBSYSTEM==\"usb-serial\", DRIVER==\"ftdi_sio\", "
           "ATTR{latency_timer}=\"1\"\n";
}
