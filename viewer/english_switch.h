#pragma once

#include <string_view>

// "--english" or "-ENGLISH" on the viewer's command line: its texts in
// English whatever the system's language, as the main window's switch does.
// True when the argument is the switch, which then has been taken.
bool takeEnglishSwitch(std::string_view argument);
