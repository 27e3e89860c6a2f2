#pragma once

#include <string>
#include <string_view>

namespace ktr90 {

// A command line as received, without its line end: "DSTA,1", "SUPD,...".
// Its name is the text before the first comma.
std::string_view commandName(std::string_view line);

// Commands that open a conversation; the logger may refuse or ignore them
// while it is not ready.
bool isHandshakeCommand(std::string_view name);

// Removes the "\n" and one "\r" before it, if present.
std::string withoutLineEnd(std::string_view line);

}  // namespace ktr90
