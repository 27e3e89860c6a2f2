#pragma once

#include <string>

// The command line's tail as a Windows program sees it: everything after the
// program's name (quoted or not), with the blanks that separate the two
// removed; the rest exactly as typed.
std::wstring commandLineTail(const std::wstring& commandLine);
