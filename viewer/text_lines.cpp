#include "viewer/text_lines.h"

#include "device/file_access.h"

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
#include "text/translation.h"

std::string_view LineCursor::next() {
    if (atEnd()) {
        return {};
    }
    std::size_t end = m_text.find('\n', m_next);
    if (end == std::string_view::npos) {
        end = m_text.size();
    }
    std::string_view line = m_text.substr(m_next, end - m_next);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    m_next = end + 1;
    ++m_number;
    return line;
}

std::string_view textOf(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    const std::size_t last = bytes.find_last_not_of("\r\n");
    return bytes.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

std::vector<std::string_view> splitFields(std::string_view line, std::size_t most) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (fields.size() < most) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            break;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    return fields;
}

std::size_t fieldCount(std::string_view line) {
    return 1 + static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
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
        const bool control = lead < 0x20 || lead == 0x7F;
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

std::optional<std::string_view> nameLineOf(std::string_view line) {
    constexpr std::string_view kPrefix = csv::kLogNamePrefix;
    if (line.substr(0, kPrefix.size()) != kPrefix) {
        return std::nullopt;
    }
    return line.substr(kPrefix.size());
}

std::optional<std::string> nameLineTooLong(std::string_view nameLine) {
    constexpr std::size_t kLongestNumber = 6;  // "D65535"
    constexpr std::size_t kLongestName = 20;
    const std::size_t comma = nameLine.find(',');
    const std::string_view number = nameLine.substr(0, comma);
    const std::string_view name =
        comma == std::string_view::npos ? std::string_view() : nameLine.substr(comma + 1);
    if (number.size() <= kLongestNumber && name.size() <= kLongestName) {
        return std::nullopt;
    }
    return translated(
        "the logger's log names are at most 20 bytes after their number "
        "(\"D03,SUZUKA\"), this one is {count} bytes: {name}.",
        {{"count", std::to_string(nameLine.size())}, {"name", quoted(nameLine)}});
}

std::string titleOf(std::string_view nameLine) {
    std::string title(nameLine);
    const std::size_t comma = title.find(',');
    if (comma != std::string::npos) {
        title[comma] = ' ';
    }
    return shownText(title);
}

FileBytes readWholeFile(const std::string& path, std::size_t limit) {
    // A pipe or a device would keep the reader waiting, maybe for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(FilePath(path), error)) {
        return {{}, error ? error.message() : translated("it is not a regular file")};
    }
    std::ifstream in(FilePath(path), std::ios::binary | std::ios::ate);
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
