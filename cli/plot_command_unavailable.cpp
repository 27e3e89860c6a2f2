// Builds without Qt have no drawing: the plot command says so.
#include <cstdio>

#include "cli/exit_status.h"
#include "cli/plot_command.h"
#include "text/translation.h"

const char* const kPlotUsageLine = "";

int RunPlotCommand(int, char**) {
    std::fprintf(stderr, "datadock: %s\n",
                 translated("this build cannot draw plots (it was built without Qt)").c_str());
    return kExitUsage;
}
