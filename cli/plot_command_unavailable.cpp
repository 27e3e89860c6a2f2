// Builds without Qt have no drawing: the plot command says so.
#include <cstdio>

#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/plot_command.h"
#include "text/translation.h"

const char* const kPlotUsageLine = "";

int RunPlotCommand(int, char**) {
    PrintText(
        stderr,
        "datadock: " + translated("this build cannot draw plots (it was built without Qt)") + "\n");
    return kExitUsage;
}
