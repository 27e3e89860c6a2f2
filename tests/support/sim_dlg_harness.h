#pragma once

#include <memory>
#include <string>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "sim/simulated_logger.h"
#include "tests/support/fake_dialog_platform.h"
#include "tests/support/scaled_clock.h"

// The main window's logic talking to the simulated logger over a real
// pseudo-terminal, with time running twenty times faster.
struct SimDlgHarness {
    // timeScale: how many times faster than real time the logic's clock runs.
    explicit SimDlgHarness(ktr90::Scenario scenario, bool showModelSave = false, int timeScale = 20)
        : clock(timeScale),
          logger(std::move(scenario)),
          dlg(
              platform, [this] { return std::vector<std::string>{logger.portPath()}; },
              [this] { return std::make_unique<SerialPortAPI>(makePlatformSerialDevice(), clock); },
              clock) {
        if (showModelSave) {
            dlg.EnableModelSave();
        }
        dlg.OnInitDialog();
    }

    const FakeDialogPlatform::Message& lastMessage() const { return platform.messages.back(); }
    std::vector<std::string> commands() const { return logger.receivedCommands(); }
    // How many commands were this whole line, or had this name before a ','.
    long count(const std::string& command) const {
        const auto all = commands();
        return std::count_if(all.begin(), all.end(), [&](const std::string& c) {
            return c == command || c.substr(0, c.find(',')) == command;
        });
    }

    ScaledClock clock;
    FakeDialogPlatform platform;
    ktr90::SimulatedLogger logger;
    CDatadockDlg dlg;
};
