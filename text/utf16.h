#pragma once

#include <string>

// Windows speaks UTF-16; the program keeps its file names and the system's
// messages as UTF-8. Bytes that are not valid UTF-8 become U+FFFD.
std::wstring utf8ToUtf16(const std::string& utf8);
std::string utf16ToUtf8(const std::wstring& utf16);
