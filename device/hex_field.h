#pragma once

#include <string>

// Hexadecimal text to int, as the logger's fields are read: the digits up to
// the first character that is not one ("00FF\r\n" gives 255), upper or lower
// case; a text that does not begin with a digit gives 0 ("-5" too). Values
// beyond the int range saturate.
int ParseHexField(const std::string& text);

// The part of text from pos on, at most count bytes; empty past the end.
std::string Mid(const std::string& text, std::size_t pos, std::size_t count = std::string::npos);
