#pragma once

#include <string>
#include <vector>

#include "serial/port_discovery.h"

// What the port list tells the user about an FTDI cable's latency timer. The
// cable holds each short reply that long, and a transfer is hundreds of short
// replies: at the usual 16 ms a LOG SAVE takes about four times as long as at
// 1 ms.

// "  (latency timer 16 ms)", to follow the port's name; empty where the
// system does not tell the timer.
std::string latencyTimerNote(const FtdiPort& port);

// How to bring the ports whose timer is above 1 ms down to 1 ms, in lines
// that each end in a line break; empty when there are none.
std::string latencyTimerHint(const std::vector<FtdiPort>& ports);

// The platform's own way to set these ports' timers to 1 ms, in the same
// lines. Each platform has its own file.
std::string latencyTimerSteps(const std::vector<std::string>& slowPorts);
