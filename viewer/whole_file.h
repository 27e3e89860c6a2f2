#pragma once

#include <string>

// Writes bytes to a file so that it appears whole or not at all: they go to
// a file beside it first, which then takes the name (replacing a file of that
// name). Returns an empty text when written, otherwise why not, in a user's
// words; nothing is left behind then.
std::string writeWholeFile(const std::string& path, const std::string& bytes);
