#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Plain helpers for the lines and fields of the files LOG SAVE writes.

// The lines of a text one at a time, without their line ends (CR LF or LF);
// a last empty line after the final line end is not a line. Nothing is
// copied or kept, however many lines the text holds.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}
    bool atEnd() const { return m_next >= m_text.size(); }
    // The next line; at the end, an empty one.
    std::string_view next();
    // The number of the line next() gave last, from 1.
    int number() const { return m_number; }

private:
    std::string_view m_text;
    std::size_t m_next = 0;
    int m_number = 0;
};

// The text of a file as the readers take it: without a UTF-8 byte-order
// mark (a spreadsheet's "CSV UTF-8" begins with one) and without the line
// ends after its last line.
std::string_view textOf(std::string_view bytes);

// The line's first fields, at most `most` of them: a line of commas costs
// no more than a line of values.
std::vector<std::string_view> splitFields(std::string_view line,
                                          std::size_t most = static_cast<std::size_t>(-1));

// How many fields the line holds.
std::size_t fieldCount(std::string_view line);

// "mm:ss.cc" (minutes of any length, the apostrophe of the files optional)
// in hundredths of a second.
std::optional<long long> parseTimeText(std::string_view text);

// A whole decimal number, a minus sign allowed.
std::optional<long long> parseInteger(std::string_view text);

// "7.42" or "12" as a number.
std::optional<double> parseDecimal(std::string_view text);

// A file's text for a person, in UTF-8: its characters (code page 932 or
// UTF-8) as they are, control bytes and bytes of no character escaped
// (\x1B), so that nothing in a file can drive a terminal or break an SVG.
std::string shownText(std::string_view bytes);

// For messages: the text as the user would see it, in quotes; only text far
// longer than any field of the files is shortened.
std::string quoted(std::string_view text);

// The "LOG NAME,Dnn,name" line's text after "LOG NAME,", or nothing when the
// line is not one.
std::optional<std::string_view> nameLineOf(std::string_view line);

// Why a "LOG NAME" line is longer than the logger writes one (a number up to
// D65535 and a name of at most 20 bytes), or nothing when it is not.
std::optional<std::string> nameLineTooLong(std::string_view nameLine);

// "D03,SUZUKA 2026" as "D03 SUZUKA 2026" in UTF-8.
std::string titleOf(std::string_view nameLine);

// The file's bytes, or an error naming the system's reason; only a regular
// file is read, never a pipe or a device.
struct FileBytes {
    std::string bytes;
    std::string error;  // empty when read
};
FileBytes readWholeFile(const std::string& path, std::size_t limit);
