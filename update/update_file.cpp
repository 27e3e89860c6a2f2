#include "update/update_file.h"

#include <cstdio>

#include "device/file_access.h"

std::optional<std::vector<std::string>> ReadUpdateLines(const std::string& path) {
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string content;
    char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        content.append(chunk, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool terminated = end != std::string::npos;
        if (!terminated) {
            end = content.size();
        }
        std::size_t length = end - start;
        if (terminated && length > 0 && content[end - 1] == '\r') {
            --length;  // "\r\n" is one line end, as text mode reads it
        }
        lines.push_back(content.substr(start, length));
        start = end + 1;
    }
    return lines;
}

namespace {

int DigitValue(const std::string& line, std::size_t oneBasedPosition) {
    if (oneBasedPosition > line.size()) {
        return 0;
    }
    const char c = line[oneBasedPosition - 1];
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return (c >= 'A' && c <= 'F') ? c - 'A' + 10 : 0;
}

int VersionDigit(const std::string& line, std::size_t oneBasedPosition) {
    return (DigitValue(line, oneBasedPosition) + 5) % 16;
}

}  // namespace

std::string FileVersionText(const std::string& secondLine) {
    return "Ver " + std::to_string(VersionDigit(secondLine, 12)) + "." +
           std::to_string(VersionDigit(secondLine, 16)) +
           std::to_string(VersionDigit(secondLine, 18));
}

std::string DeviceVersionText(const std::string& reply) {
    const std::string rest = reply.size() > 5 ? reply.substr(5) : std::string();
    return rest.substr(0, rest.find_first_of("\r\n"));
}
