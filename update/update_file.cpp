#include "update/update_file.h"

#include <cctype>
#include <fstream>
#include <iterator>

#include "device/leading_digits.h"

std::optional<std::vector<std::string>> ReadUpdateLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string content((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    if (in.bad()) {
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
    // Lower-case letters are no digits in an update file.
    const char c = line[oneBasedPosition - 1];
    return std::islower(static_cast<unsigned char>(c)) != 0
               ? 0
               : static_cast<int>(ReadLeadingDigits(std::string_view(&c, 1), 16).value);
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
