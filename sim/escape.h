#pragma once

#include <string>
#include <string_view>

namespace ktr90 {

// Text forms of arbitrary bytes, so scenario files and fault options can carry
// line ends, commas and code page 932 bytes: \r \n \t \\ and \xNN.
// Throws std::invalid_argument on an unknown or incomplete escape. The
// reverse, for transcripts, is EscapedBytes (text/escaped_bytes.h).
std::string unescapeBytes(std::string_view text);

}  // namespace ktr90
