#include "viewer/text_lines.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "text/cp932.h"
#include "text/escaped_bytes.h"
#include "text/log_file_texts.h"
#include "text/text_sequences.h"

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        start = next;
    }
    return lines;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::optional<long long> parseInteger(std::string_view text) {
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

namespace {

std::optional<long long> parseDigits(std::string_view text) {
    if (text.empty() || text.front() == '-') {
        return std::nullopt;
    }
    return parseInteger(text);
}

}  // namespace

std::optional<long long> parseTimeText(std::string_view text) {
    if (!text.empty() && text.front() == '\'') {
        text.remove_prefix(1);
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || text.size() != colon + 6 || text[colon + 3] != '.') {
        return std::nullopt;
    }
    const auto minutes = parseDigits(text.substr(0, colon));
    const auto seconds = parseDigits(text.substr(colon + 1, 2));
    const auto hundredths = parseDigits(text.substr(colon + 4, 2));
    if (!minutes || !seconds || !hundredths || *minutes > 10'000'000) {
        return std::nullopt;
    }
    return (*minutes * 60 + *seconds) * 100 + *hundredths;
}

std::optional<double> parseDecimal(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string shownText(std::string_view bytes) {
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    const std::string text(bytes);
    std::string shown;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = utf8SequenceLength(text, i);
        if (length <= 1) {
            length = cp932CharacterLength(text, i);
        }
        const std::string character = text.substr(i, length);
        const auto lead = static_cast<unsigned char>(character[0]);
        const std::string utf8 = lead < 0x80 ? character : mixedTextToUtf8(character);
        const bool control = lead < 0x20 || lead == 0x7F || lead == '\\';
        shown += control || utf8.find(kReplacement) != std::string::npos ? EscapedBytes(character)
                                                                         : utf8;
        i += length;
    }
    return shown;
}

std::string quoted(std::string_view text) {
    // Far beyond a field or a line of the files. A character cut in two shows
    // its bytes escaped, never garbled.
    constexpr std::size_t kLongest = 400;
    const std::string_view shown = text.substr(0, kLongest);
    return "\"" + shownText(shown) + (shown.size() < text.size() ? "...\"" : "\"");
}

std::optional<std::string> nameLineOf(std::string_view line) {
    constexpr std::string_view kPrefix = csv::kLogNamePrefix;
    if (line.substr(0, kPrefix.size()) != kPrefix) {
        return std::nullopt;
    }
    return std::string(line.substr(kPrefix.size()));
}

std::string titleOf(const std::string& nameLine) {
    std::string title = nameLine;
    const std::size_t comma = title.find(',');
    if (comma != std::string::npos) {
        title[comma] = ' ';
    }
    return shownText(title);
}

FileBytes readWholeFile(const std::string& path, std::size_t limit) {
    // A pipe or a device would keep the reader waiting, maybe for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {{}, error ? error.message() : "it is not a regular file"};
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        return {{}, std::strerror(errno)};
    }
    // One more byte than the limit, so that a caller sees a file beyond it.
    const std::streamoff size = in.tellg();
    const auto wanted = static_cast<std::size_t>(std::max<std::streamoff>(size, 0));
    FileBytes file;
    file.bytes.resize(std::min(wanted, limit + 1));
    in.seekg(0);
    in.read(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
    if (in.bad() || size < 0) {
        return {{}, std::strerror(errno)};
    }
    file.bytes.resize(static_cast<std::size_t>(in.gcount()));
    return file;
}
