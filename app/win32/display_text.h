#pragma once

#include <string>

// What a control shows for a text of the system (code page 932 bytes),
// possibly joined with file paths (UTF-8 on Windows): UTF-16, so that it shows
// right whatever code page the system runs with.
std::wstring displayText(const std::string& text);
