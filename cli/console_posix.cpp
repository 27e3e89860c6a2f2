#include <unistd.h>

#include <csignal>

#include "cli/console.h"

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
}

}  // namespace

void PrepareConsole(int&, char**&) {}

void CatchConsoleInterrupt() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool ConsoleInterrupted() {
    return g_interrupted != 0;
}

bool StderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

void PrintText(std::FILE* stream, const std::string& text) {
    std::fputs(text.c_str(), stream);
}
