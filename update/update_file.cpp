#include "update/update_file.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "device/file_access.h"
#include "device/file_error_text.h"
#include "device/leading_digits.h"
#include "text/translation.h"

namespace {

constexpr char kEndOfFile = '\x1A';

std::string TooLargeText(const std::string& path) {
    return translated("{file} is larger than any update file (over 16 MiB).", {{"file", path}});
}

// Why path is no file to read, or empty when it is one.
std::string UnreadableFileReason(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file = FilePath(path);
    const auto status = std::filesystem::status(file, error);
    if (error) {
        return FileErrorText(FileAction::Read, path, error.value());
    }
    if (status.type() == std::filesystem::file_type::not_found) {
        return FileErrorText(FileAction::Read, path, ENOENT);
    }
    if (!std::filesystem::is_regular_file(status)) {
        return translated("{file} is not a file.", {{"file", path}});
    }
    if (std::filesystem::file_size(file, error) > kMaxUpdateFileBytes || error) {
        return TooLargeText(path);
    }
    return {};
}

UpdateLines TextLines(std::string_view content) {
    UpdateLines lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool terminated = end != std::string_view::npos;
        if (!terminated) {
            end = content.size();
        }
        std::size_t length = end - start;
        if (terminated && length > 0 && content[end - 1] == '\r') {
            --length;  // "\r\n" is one line end, as text mode reads it
        }
        const std::string_view line = content.substr(start, length);
        lines.push_back(line.substr(0, line.find('\0')));
        start = end + 1;
    }
    return lines;
}

// In chunks: a buffer of the whole limit would be cleared for every file,
// however small, and the window would stall while it is.
std::string ReadAtMost(std::FILE* file, std::size_t limit) {
    std::string content;
    std::vector<char> chunk(64 * 1024);
    for (std::size_t got = 1; got > 0 && content.size() < limit;) {
        got = std::fread(chunk.data(), 1, std::min(chunk.size(), limit - content.size()), file);
        content.append(chunk.data(), got);
    }
    return content;
}

}  // namespace

UpdateFile ReadUpdateFile(const std::string& path) {
    if (std::string reason = UnreadableFileReason(path); !reason.empty()) {
        return {{}, reason};
    }
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        return {{}, OpenFailureText(FileAction::Read, path)};
    }
    const std::string content = ReadAtMost(file, kMaxUpdateFileBytes + 1);
    const int readError = std::ferror(file) != 0 ? errno : 0;
    std::fclose(file);
    if (readError != 0) {
        return {{}, FileErrorText(FileAction::Read, path, readError)};
    }
    if (content.size() > kMaxUpdateFileBytes) {
        return {{}, TooLargeText(path)};
    }
    return {TextLines(std::string_view(content).substr(0, content.find(kEndOfFile))), {}};
}

std::string_view UpdateLines::operator[](std::size_t index) const {
    const std::uint32_t start = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_text).substr(start, m_ends[index] - start);
}

void UpdateLines::push_back(std::string_view line) {
    m_text += line;
    m_ends.push_back(static_cast<std::uint32_t>(m_text.size()));
}

namespace {

int DigitValue(std::string_view line, std::size_t oneBasedPosition) {
    if (oneBasedPosition > line.size()) {
        return 0;
    }
    // Lower-case letters are no digits in an update file.
    const char c = line[oneBasedPosition - 1];
    return std::islower(static_cast<unsigned char>(c)) != 0
               ? 0
               : static_cast<int>(ReadLeadingDigits(std::string_view(&c, 1), 16).value);
}

int VersionDigit(std::string_view line, std::size_t oneBasedPosition) {
    return (DigitValue(line, oneBasedPosition) + 5) % 16;
}

}  // namespace

std::string FileVersionText(std::string_view secondLine) {
    return "Ver " + std::to_string(VersionDigit(secondLine, 12)) + "." +
           std::to_string(VersionDigit(secondLine, 16)) +
           std::to_string(VersionDigit(secondLine, 18));
}

std::string DeviceVersionText(const std::string& reply) {
    const std::string rest = reply.size() > 5 ? reply.substr(5) : std::string();
    return rest.substr(0, rest.find_first_of("\r\n"));
}
