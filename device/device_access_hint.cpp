#include "device/device_access_hint.h"

#include <filesystem>
#include <system_error>

#include "text/translation.h"

const char* const kCableRuleName = "70-datadock.rules";

const std::vector<std::string>& udevRuleFolders() {
    // A rule copied by hand goes to /etc; the package's goes to /usr/lib.
    static const std::vector<std::string> folders = {"/etc/udev/rules.d",
                                                     "/usr/local/lib/udev/rules.d",
                                                     "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
    return folders;
}

bool cableRuleInstalled(const std::vector<std::string>& folders) {
    for (const std::string& folder : folders) {
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::path(folder) / kCableRuleName, error)) {
            return true;
        }
    }
    return false;
}

std::string deviceAccessHint(bool ruleInstalled) {
    if (ruleInstalled) {
        // The rule tags the device when it appears, so a cable plugged in
        // before the rule was installed has not been given to the user yet.
        return translated(
            "Unplug the cable and plug it in again so that DataDock's device rule "
            "gives you access. Logged in from elsewhere than the computer's own "
            "screen, you need to be a member of the group that owns the device "
            "(usually dialout).");
    }
    return translated(
        "You need to be a member of the group that owns the device (usually "
        "dialout); log in again after adding yourself. Or install the DataDock "
        "package: its device rule ({rule}) gives the user at the computer the cable "
        "without a group change.",
        {{"rule", kCableRuleName}});
}
