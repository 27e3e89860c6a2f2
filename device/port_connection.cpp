#include "device/port_connection.h"

#include "device/device_access_hint.h"
#include "device/transfer_texts.h"
#include "serial/port_name_rule.h"

bool OpenLoggerPort(SerialPortAPI& port, const std::string& name) {
    if (name.empty() || !port.SetPortName(name)) {
        return false;
    }
    port.SetTimeoutCheck(true);
    return port.TryOpen() == 1;
}

namespace {
std::string NotConnectedReason(const SerialPortAPI& port, const std::string& name) {
    if (name.empty()) {
        return translated("No KTR-90 cable was found. Plug in the cable and try again.");
    }
    if (!isAcceptablePortName(name, platformPortNaming())) {
        return translated("\"{port}\" is not a serial port name.", {{"port", name}});
    }
    std::string reason = translated("Cannot open {port}. {reason}",
                                    {{"port", name}, {"reason", port.LastUserText()}});
    if (port.LastSystemError().problem == DeviceProblem::AccessDenied &&
        platformPortNaming() == PortNaming::Posix) {
        reason += "\n" + deviceAccessHint(cableRuleInstalled());
    }
    return reason;
}
}  // namespace

TransferResult NotConnected(const SerialPortAPI& port, const std::string& name) {
    TransferResult result;
    result.outcome = TransferOutcome::NotConnected;
    result.message = translated(txt::kNotConnected);
    result.reason = NotConnectedReason(port, name);
    return result;
}
