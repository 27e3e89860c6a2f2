#include "app/command_line.h"

namespace {
constexpr char kModelSaveSwitch[] = "-VARDO";
}

std::string argumentTail(const std::vector<std::string>& argsAfterProgramName) {
    std::string tail;
    for (const std::string& argument : argsAfterProgramName) {
        if (&argument != &argsAfterProgramName.front()) {
            tail += ' ';
        }
        tail += argument;
    }
    return tail;
}

bool showsModelSave(const std::string& tail) {
    return tail == kModelSaveSwitch;
}
