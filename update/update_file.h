#pragma once

#include <optional>
#include <string>
#include <vector>

// The lines of an update file as the logger expects them: each line without
// its terminator, whether the file ends its lines with "\r\n" or "\n"; empty
// lines kept; a last line without terminator counted; nothing else changed.
// Nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadUpdateLines(const std::string& path);

// "Ver x.yz" from the second line: of the eight hexadecimal digits at
// positions 11 to 18 (counted from 1), digits 2, 6 and 8, each plus 5 modulo
// 16. Only '0'-'9' and 'A'-'F' count; anything else, or a missing position, is 0.
std::string FileVersionText(const std::string& secondLine);

// The version the logger reports: its SUPV reply after the first five
// characters, up to the first carriage return or line feed.
std::string DeviceVersionText(const std::string& reply);
