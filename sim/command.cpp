#include "sim/command.h"

namespace ktr90 {

std::string_view commandName(std::string_view line) {
    return line.substr(0, line.find(','));
}

bool isHandshakeCommand(std::string_view name) {
    return name == "DSTA" || name == "SUPM" || name == "SUPW" || name == "SUPC" || name == "SUPV";
}

std::string withoutLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
    }
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return std::string(line);
}

}  // namespace ktr90
