// On Windows the timer is one of the port's Advanced settings in Device
// Manager, where FTDI's driver shows its cables as "USB Serial Port (COMn)".
#include "serial/latency_timer_hint.h"

std::string latencyTimerSteps(const std::vector<std::string>& slowPorts) {
    std::string steps = "To set it to 1 ms, open Device Manager, Ports (COM & LPT), then:\n";
    for (const std::string& port : slowPorts) {
        steps += "  USB Serial Port (" + port +
                 ") > Properties > Port Settings > Advanced > Latency Timer (msec): 1\n";
    }
    return steps;
}
