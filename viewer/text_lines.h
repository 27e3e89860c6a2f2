#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Plain helpers for the lines and fields of the files LOG SAVE writes.

// The file's lines without their line ends (CR LF or LF); a last empty line
// after the final line end is not a line.
std::vector<std::string_view> splitLines(std::string_view text);

std::vector<std::string_view> splitFields(std::string_view line);

// "mm:ss.cc" (minutes of any length, the apostrophe of the files optional)
// in hundredths of a second.
std::optional<long long> parseTimeText(std::string_view text);

// A whole decimal number, a minus sign allowed.
std::optional<long long> parseInteger(std::string_view text);

// "7.42" or "12" as a number.
std::optional<double> parseDecimal(std::string_view text);

// A file's text for a person, in UTF-8: its characters (code page 932 or
// UTF-8) as they are, control bytes and bytes of no character escaped
// ("\\x1B"), so that nothing in a file can drive a terminal or an SVG.
std::string shownText(std::string_view bytes);

// For messages: the text as the user would see it, in quotes; only text far
// longer than any field of the files is shortened.
std::string quoted(std::string_view text);

// The "LOG NAME,Dnn,name" line's text after "LOG NAME,", or nothing when the
// line is not one.
std::optional<std::string> nameLineOf(std::string_view line);

// "D03,SUZUKA 2026" as "D03 SUZUKA 2026" in UTF-8.
std::string titleOf(const std::string& nameLine);

// The file's bytes, or an error naming the system's reason; only a regular
// file is read, never a pipe or a device.
struct FileBytes {
    std::string bytes;
    std::string error;  // empty when read
};
FileBytes readWholeFile(const std::string& path, std::size_t limit);
