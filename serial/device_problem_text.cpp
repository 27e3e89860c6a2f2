#include "serial/serial_device.h"
#include "text/translation.h"

namespace {
const char* Words(DeviceProblem problem) {
    switch (problem) {
        case DeviceProblem::NotFound:
            return DD_TEXT("The port is not there: the cable was unplugged.");
        case DeviceProblem::AccessDenied:
            return DD_TEXT("You are not allowed to use this port.");
        case DeviceProblem::InUse:
            return DD_TEXT("The port is in use by another program.");
        case DeviceProblem::Gone:
            return DD_TEXT(
                "The KTR-90 stopped answering: the cable was unplugged or the logger switched "
                "off.");
        case DeviceProblem::Other:
            break;
    }
    return DD_TEXT("The port reported an error.");
}
}  // namespace

std::string UserWords(const DeviceError& error) {
    std::string words = translated(Words(error.problem));
    if (!error.text.empty()) {
        words += " (" + error.text + ")";
    }
    return words;
}
