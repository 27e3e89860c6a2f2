#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// No firmware comes near this size; a larger file is no update file.
constexpr std::uintmax_t kMaxUpdateFileBytes = 16 * 1024 * 1024;

// The lines of an update file in one text with their ends: a file of line
// feeds alone costs a few times its size, not one string a line.
class UpdateLines {
public:
    std::size_t size() const { return m_ends.size(); }
    bool empty() const { return m_ends.empty(); }
    std::string_view operator[](std::size_t index) const;
    void push_back(std::string_view line);

private:
    std::string m_text;
    std::vector<std::uint32_t> m_ends;  // where each line ends in m_text
};

struct UpdateFile {
    UpdateLines lines;
    std::string error;  // why the file cannot be used, in a user's words; empty when read
};

// The lines of an update file as the logger expects them, read as a text file
// is read on the logger's home platform: each line without its terminator,
// whether the file ends its lines with "\r\n" or "\n"; empty lines kept; a
// last line without terminator counted; a Ctrl-Z (0x1A) ends the file and a
// NUL byte ends its line. Only a regular file of at most kMaxUpdateFileBytes
// is read.
UpdateFile ReadUpdateFile(const std::string& path);

// "Ver x.yz" from the second line: of the eight hexadecimal digits at
// positions 11 to 18 (counted from 1), digits 2, 6 and 8, each plus 5 modulo
// 16. Only '0'-'9' and 'A'-'F' count; anything else, or a missing position, is 0.
std::string FileVersionText(std::string_view secondLine);

// The version the logger reports: its SUPV reply after the first five
// characters, up to the first carriage return or line feed.
std::string DeviceVersionText(const std::string& reply);
