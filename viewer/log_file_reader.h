#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/translation.h"
#include "viewer/log_files.h"
#include "viewer/text_lines.h"

// Reads a log file as LOG SAVE writes it (code page 932, CR LF, an
// apostrophe before each time, "-" for a value without a sensor). Files that
// went through a text editor (LF line ends, no apostrophes, UTF-8) read too.
ReadResult<LogFile> readLogFile(const std::string& path);

// The same from the file's bytes; path only names the file in messages.
ReadResult<LogFile> parseLogFile(const std::string& path, std::string_view bytes);

// The largest file taken for a log: far above the longest log the logger holds.
inline constexpr std::size_t kLargestFileBytes = 64u << 20;

// The common checks of both files: an error when the bytes cannot be such a
// file at all (empty, binary).
std::optional<ReadError> checkTextFile(const std::string& path, std::string_view bytes);

// A save cut short ends in the middle of its last line: the readers leave
// that line out, keep what came before, and say so in these words.
std::string leftOutNote(const ReadError& broken);

// Reads a file whole and parses its bytes; a file that cannot be read is an
// error of the whole file, with the system's reason.
template <typename T>
ReadResult<T> readAndParse(const std::string& path,
                           ReadResult<T> (*parse)(const std::string&, std::string_view)) {
    const FileBytes file = readWholeFile(path, kLargestFileBytes);
    if (!file.error.empty()) {
        return ReadError{
            path, 0, translated("the file cannot be read ({reason}).", {{"reason", file.error}})};
    }
    return parse(path, file.bytes);
}
