// On Windows the timer is one of the port's Advanced settings in Device
// Manager, where FTDI's driver shows its cables as "USB Serial Port (COMn)".
#include "serial/latency_timer_hint.h"
#include "text/translation.h"

std::string latencyTimerSteps(const std::vector<std::string>& slowPorts) {
    std::string steps =
        translated("To set it to 1 ms, open Device Manager, Ports (COM & LPT), then:\n");
    for (const std::string& port : slowPorts) {
        steps += translated(
            "  USB Serial Port ({port}) > Properties > Port Settings > Advanced > Latency Timer "
            "(msec): 1\n",
            {{"port", port}});
    }
    return steps;
}
