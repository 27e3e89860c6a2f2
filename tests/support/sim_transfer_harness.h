#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "device/log_save.h"
#include "sim/simulated_logger.h"
#include "tests/support/recording_events.h"
#include "tests/support/scaled_clock.h"

// A transfer talking to the simulated logger over a real pseudo-terminal,
// with time running twenty times faster.
struct SimTransferHarness {
    // timeScale: how many times faster than real time the transfer's clock runs.
    explicit SimTransferHarness(ktr90::Scenario scenario, int timeScale = 20)
        : clock(timeScale), logger(std::move(scenario)), port(makePlatformSerialDevice(), clock) {
        port.SetPortName(logger.portPath());
        port.TryOpen();
    }
    ~SimTransferHarness() { port.TryClose(); }

    TransferResult logSave(const std::string& lap, const std::string& log) {
        return LogSave(port, clock, events).Run(lap, log);
    }
    std::vector<std::string> commands() const { return logger.receivedCommands(); }
    // How many commands were this whole line, or had this name before a ','.
    long count(const std::string& command) const {
        const auto all = commands();
        return std::count_if(all.begin(), all.end(), [&](const std::string& c) {
            return c == command || c.substr(0, c.find(',')) == command;
        });
    }

    ScaledClock clock;
    ktr90::SimulatedLogger logger;
    SerialPortAPI port;
    RecordingEvents events;
};
