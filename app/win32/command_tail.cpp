#include "app/win32/command_tail.h"

std::wstring commandLineTail(const std::wstring& commandLine) {
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const std::size_t closing = commandLine.find(L'"', 1);
        at = closing == std::wstring::npos ? commandLine.size() : closing + 1;
    } else {
        at = commandLine.find_first_of(L" \t");
        at = at == std::wstring::npos ? commandLine.size() : at;
    }
    at = commandLine.find_first_not_of(L" \t", at);
    return at == std::wstring::npos ? std::wstring() : commandLine.substr(at);
}
