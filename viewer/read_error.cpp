#include "viewer/log_files.h"

#include "text/translation.h"

std::string ReadError::where() const {
    return "\"" + path + "\"" +
           (line > 0 ? translated(", line {line}", {{"line", std::to_string(line)}}) : "") +
           (column > 0 ? translated(", column {column}", {{"column", std::to_string(column)}})
                       : "");
}

std::string ReadError::message() const {
    return where() + ": " + what;
}
