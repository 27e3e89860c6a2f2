#pragma once

// The terminal the command line runs in; each platform has its own file.

// Makes the arguments UTF-8, whatever code page the system runs with, and
// makes the console show UTF-8 (a no-op where both already are).
void PrepareConsole(int& argc, char**& argv);

// Ctrl-C (and a request to terminate) from now on only raises a flag, which
// the transfer reads at its next pump as the close box.
void CatchConsoleInterrupt();
bool ConsoleInterrupted();

bool StderrIsTerminal();
