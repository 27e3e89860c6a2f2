#pragma once

#include <string>
#include <string_view>

namespace ktr90 {

// Text forms of arbitrary bytes, so scenario files and fault options can carry
// line ends, commas and code page 932 bytes: \r \n \t \\ and \xNN.
// Throws std::invalid_argument on an unknown or incomplete escape.
std::string unescapeBytes(std::string_view text);

// The reverse, for transcripts: printable ASCII stays, the rest is escaped.
std::string escapeBytes(std::string_view bytes);

}  // namespace ktr90
