#include "viewer/log_files.h"

std::string ReadError::where() const {
    return "\"" + path + "\"" + (line > 0 ? ", line " + std::to_string(line) : "") +
           (column > 0 ? ", column " + std::to_string(column) : "");
}

std::string ReadError::message() const {
    return where() + ": " + what;
}
