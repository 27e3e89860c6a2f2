#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fake_dialog_platform.h"
#include "tests/support/platform_names.h"
#include "tests/support/scripted_serial_device.h"

// The main window's logic on the fake window system, a scripted port and a
// fake clock: nothing here waits for real time.
struct DlgHarness {
    explicit DlgHarness(std::vector<std::string> presentPorts = {PortName(0)},
                        bool showModelSave = false)
        : ports(std::move(presentPorts)),
          dlg(
              platform, [this] { return ports; }, [this] { return makeSerial(); }, clock) {
        if (showModelSave) {
            dlg.EnableModelSave();
        }
        dlg.OnInitDialog();
        // A handshake with a silent port repeats for ever; a test that gets
        // there by mistake fails instead of hanging. A loop that does not
        // even stop for the cancel request is broken off by an exception.
        platform.onPump = [this](int pumps) {
            if (pumps == kRunawayPumps) {
                ADD_FAILURE() << "the transfer kept pumping; cancelled";
                dlg.OnCancel();
            }
            if (pumps > 2 * kRunawayPumps) {
                throw std::runtime_error("a pump loop that ignores the cancel request");
            }
        };
    }
    static constexpr int kRunawayPumps = 100'000;

    std::unique_ptr<SerialPortAPI> makeSerial() {
        auto scripted = std::make_unique<ScriptedSerialDevice>(clock);
        device = scripted.get();
        return std::make_unique<SerialPortAPI>(std::move(scripted), clock);
    }

    const std::vector<FakeDialogPlatform::Message>& messages() const { return platform.messages; }

    FakeClock clock;
    FakeDialogPlatform platform;
    std::vector<std::string> ports;
    ScriptedSerialDevice* device = nullptr;
    CDatadockDlg dlg;
};
