// <windows.h> comes before every other Windows header.
#include <windows.h>

#include <io.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/console.h"
#include "text/utf16.h"

namespace {

std::atomic<bool> g_interrupted{false};
UINT g_outputCodePageBefore = 0;

// The console is the user's, not only this program's: its code page goes back
// to what it was when the program ends.
void RestoreOutputCodePage() {
    if (g_outputCodePageBefore != 0) {
        SetConsoleOutputCP(g_outputCodePageBefore);
    }
}

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        g_interrupted = true;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

// The C runtime's argv is in the system's code page, which cannot name every
// file; the UTF-16 command line can.
void PrepareConsole(int& argc, char**& argv) {
    static std::vector<std::string> arguments;
    static std::vector<char*> pointers;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        arguments.push_back(utf16ToUtf8(wide[i]));
    }
    LocalFree(wide);
    for (std::string& argument : arguments) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    argc = count;
    argv = pointers.data();
    g_outputCodePageBefore = GetConsoleOutputCP();
    if (g_outputCodePageBefore != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(RestoreOutputCodePage);
    }
}

void CatchConsoleInterrupt() {
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool ConsoleInterrupted() {
    return g_interrupted;
}

bool StderrIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

namespace {
// The C runtime hands a console each byte apart, which the console decodes
// on its own: Japanese came out as mojibake. As UTF-16 it is shown as it is.
bool WriteToConsole(std::FILE* stream, const std::string& text) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        return false;
    }
    std::fflush(stream);  // what the C runtime still holds goes first
    const std::wstring wide = utf8ToUtf16(text);
    DWORD written = 0;
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) !=
           0;
}
}  // namespace

void PrintText(std::FILE* stream, const std::string& text) {
    if (!WriteToConsole(stream, text)) {
        std::fputs(text.c_str(), stream);
    }
}
