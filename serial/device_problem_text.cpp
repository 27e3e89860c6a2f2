#include "serial/serial_device.h"

namespace {
const char* Words(DeviceProblem problem) {
    switch (problem) {
        case DeviceProblem::NotFound:
            return "The port is not there: the cable was unplugged.";
        case DeviceProblem::AccessDenied:
            return "You are not allowed to use this port.";
        case DeviceProblem::InUse:
            return "The port is in use by another program.";
        case DeviceProblem::Gone:
            return "The KTR-90 stopped answering: the cable was unplugged or the logger switched "
                   "off.";
        case DeviceProblem::Other:
            break;
    }
    return "The port reported an error.";
}
}  // namespace

std::string UserWords(const DeviceError& error) {
    std::string words = Words(error.problem);
    if (!error.text.empty()) {
        words += " (" + error.text + ")";
    }
    return words;
}
