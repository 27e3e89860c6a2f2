#pragma once

#include <functional>
#include <string>
#include <vector>

struct ProcessResult {
    int exitStatus = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs a program of the build tree with extra environment entries ("NAME=value")
// and collects its output. whileRunning, if given, is called with the child's
// pid once it has started (e.g. to send it a signal).
ProcessResult RunProcess(const std::vector<std::string>& argv,
                         const std::vector<std::string>& extraEnvironment = {},
                         const std::function<void(int pid)>& whileRunning = {});

// Path of a program in the build tree, e.g. BuildTreeProgram("cli/datadock").
std::string BuildTreeProgram(const std::string& relativePath);
