#pragma once

#include <string>
#include <vector>

// What to tell a Linux user whom the system refused the cable's device.
// The package installs a udev rule that gives the user at the computer's own
// seat the FTDI cable; without it only the device's group (usually dialout)
// may open it.

// The rule's file name, as the package installs it.
extern const char* const kCableRuleName;

// The folders udev reads rules from, the package's own among them.
const std::vector<std::string>& udevRuleFolders();

// Whether the cable's rule is in any of these folders.
bool cableRuleInstalled(const std::vector<std::string>& folders = udevRuleFolders());

// The advice, one or two sentences, without a leading line break.
std::string deviceAccessHint(bool ruleInstalled);
