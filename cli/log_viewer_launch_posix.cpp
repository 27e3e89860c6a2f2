#include <spawn.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "cli/console.h"
#include "cli/log_viewer_launch.h"
#include "text/translation.h"

extern char** environ;

const char* const kViewOptionUsage = " [--view]";

namespace {
// Installed side by side; otherwise the PATH decides.
std::string ViewerProgram() {
    if (const char* chosen = std::getenv("DATADOCK_VIEWER"); chosen != nullptr && *chosen != 0) {
        return chosen;
    }
    std::error_code error;
    const auto beside =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path() / "datadock-viewer";
    return !error && std::filesystem::exists(beside, error) ? beside.string() : "datadock-viewer";
}
}  // namespace

bool LaunchLogViewer(const std::string& lap, const std::string& log) {
    const std::string program = ViewerProgram();
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    static char english[] = "--english";
    if (englishChosenOverSystem()) {
        argv.push_back(english);
    }
    argv.insert(argv.end(),
                {const_cast<char*>(lap.c_str()), const_cast<char*>(log.c_str()), nullptr});
    pid_t child = 0;
    const int error =
        ::posix_spawnp(&child, program.c_str(), nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        PrintText(stderr,
                  "datadock: " +
                      translated("the log viewer could not be started ({program}: {reason})",
                                 {{"program", program}, {"reason", std::strerror(error)}}) +
                      "\n");
        return false;
    }
    return true;
}
