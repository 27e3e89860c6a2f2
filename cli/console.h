#pragma once

#include <cstdio>
#include <string>

// The terminal the command line runs in; each platform has its own file.

// Makes the arguments UTF-8, whatever code page the system runs with, and
// makes the console show UTF-8 (a no-op where both already are).
void PrepareConsole(int& argc, char**& argv);

// Ctrl-C (and a request to terminate) from now on only raises a flag, which
// the transfer reads at its next pump as the close box.
void CatchConsoleInterrupt();
bool ConsoleInterrupted();

bool StderrIsTerminal();

// Writes UTF-8 text to stdout or stderr so that a console shows every
// character, whatever its code page; a pipe or a file gets the UTF-8 bytes.
void PrintText(std::FILE* stream, const std::string& text);
