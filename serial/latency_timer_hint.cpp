#include "serial/latency_timer_hint.h"

#include "text/translation.h"

namespace {
constexpr int kFastestLatencyTimerMs = 1;
}  // namespace

std::string latencyTimerNote(const FtdiPort& port) {
    if (!port.latencyMs) {
        return {};
    }
    return translated("  (latency timer {ms} ms)", {{"ms", std::to_string(*port.latencyMs)}});
}

std::string latencyTimerHint(const std::vector<FtdiPort>& ports) {
    std::vector<std::string> slowPorts;
    for (const FtdiPort& port : ports) {
        if (port.latencyMs && *port.latencyMs > kFastestLatencyTimerMs) {
            slowPorts.push_back(port.name);
        }
    }
    if (slowPorts.empty()) {
        return {};
    }
    return translated(
               "The cable holds each short reply for its latency timer: at 16 ms a LOG SAVE\n"
               "takes about four times as long as at 1 ms.\n") +
           latencyTimerSteps(slowPorts);
}
