#include "viewer/log_files.h"

std::string ReadError::message() const {
    const std::string where =
        "\"" + path + "\"" + (line > 0 ? ", line " + std::to_string(line) : "");
    return where + ": " + what;
}
