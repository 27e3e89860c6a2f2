#include <windows.h>

#include <vector>

#include "serial/win32_error.h"
#include "text/translation.h"
#include "text/utf16.h"
#include "viewer/win32/log_viewer_start.h"

namespace {

constexpr wchar_t kChosenViewer[] = L"DATADOCK_VIEWER";
constexpr wchar_t kViewerName[] = L"datadock-viewer.exe";

std::wstring environmentValue(const wchar_t* name) {
    std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
}

std::wstring runningProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size()) {
        path.resize(path.size() * 2);  // cut short: a longer path
    }
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// Backslashes count only before a quote: doubled there and at the closing
// quote, they stay in the path as they were.
std::wstring quotedArgument(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L'"';
}

std::string notStartedReason(const std::wstring& program, DWORD error) {
    const std::string program8 = utf16ToUtf8(program);
    const std::string named =
        environmentValue(kChosenViewer).empty()
            ? program8
            : translated("{program} (named by DATADOCK_VIEWER)", {{"program", program8}});
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        return translated("{program} was not found.", {{"program", named}});
    }
    return translated("{program} did not start ({reason}).",
                      {{"program", named}, {"reason", win32ErrorText(error)}});
}

}  // namespace

std::wstring logViewerProgram() {
    const std::wstring chosen = environmentValue(kChosenViewer);
    return chosen.empty() ? runningProgramFolder() + kViewerName : chosen;
}

// The program's name is split without any backslash rule, up to its
// closing quote; a path holds no quotes.
std::wstring viewerCommandLine(const std::wstring& program,
                               const std::vector<std::wstring>& files) {
    std::wstring line = L"\"" + program + L"\"";
    for (const std::wstring& file : files) {
        line += L" " + quotedArgument(file);
    }
    return line;
}

bool startLogViewer(const std::vector<std::string>& files, std::string& whyNot) {
    const std::wstring program = logViewerProgram();
    std::vector<std::wstring> wideFiles;
    if (englishChosenOverSystem()) {
        wideFiles.push_back(L"--english");
    }
    for (const std::string& file : files) {
        wideFiles.push_back(utf8ToUtf16(file));
    }
    std::wstring line = viewerCommandLine(program, wideFiles);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        whyNot = notStartedReason(program, GetLastError());
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}
