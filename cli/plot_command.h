#pragma once

// datadock plot LOG.csv [--lap LAP.csv] --out FILE.png|FILE.svg
//               [--channels st,th,rpm,volt,temp1,temp2] [--lap-range A-B] [--size WxH]
// argv[1] is "plot". Returns the exit status.
int RunPlotCommand(int argc, char** argv);

// The plot command's line of the program's usage; empty in a build that
// cannot draw, which does not offer the command.
extern const char* const kPlotUsageLine;
