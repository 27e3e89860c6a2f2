#pragma once

#include <memory>
#include <string>

#include "device/log_save.h"
#include "device/model_save.h"
#include "tests/support/fake_clock.h"
#include "tests/support/platform_names.h"
#include "tests/support/recording_events.h"
#include "tests/support/scripted_serial_device.h"
#include "update/software_update.h"

// A transfer on an open scripted port with a fake clock, shown to recording
// events: nothing here waits for real time.
struct TransferHarness {
    TransferHarness()
        : device(new ScriptedSerialDevice(clock)),
          port(std::unique_ptr<ScriptedSerialDevice>(device), clock) {
        port.SetPortName(PortName(0));
        port.TryOpen();
    }

    TransferResult logSave(const std::string& lap, const std::string& log) {
        return LogSave(port, clock, events).Run(lap, log);
    }
    TransferResult modelSave(const std::string& path) {
        return ModelSave(port, clock, events).Run(path);
    }
    TransferResult update(const std::string& path) {
        return SoftwareUpdate(port, clock, events).Run(path);
    }
    // The replies to the next writes, one per write.
    void queue(const std::vector<std::string>& replies) {
        device->replies.insert(device->replies.end(), replies.begin(), replies.end());
    }
    long count(const std::string& command) const {
        return std::count(device->written.begin(), device->written.end(), command);
    }

    FakeClock clock;
    ScriptedSerialDevice* device;  // owned by the port
    SerialPortAPI port;
    RecordingEvents events;
};
