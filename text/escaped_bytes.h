#pragma once

#include <string>
#include <string_view>

// Bytes from the line or a file as a message may show them: printable ASCII
// stays, \r \n and \\ are written so, every other byte as \xNN. Nothing the
// logger sends can then retitle, clear or otherwise drive the user's terminal.
std::string EscapedBytes(std::string_view bytes);
