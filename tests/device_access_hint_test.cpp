// The hint that follows a port the user may not open: the cable rule where it
// is missing, replugging where it is installed.
#include "device/device_access_hint.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/temp_files.h"

namespace fs = std::filesystem;

TEST(DeviceAccessHint, NamesTheRuleUntilItIsInstalled_ThenSaysToPlugTheCableInAgain) {
    const std::string withoutRule = deviceAccessHint(false);
    EXPECT_NE(withoutRule.find("dialout"), std::string::npos);
    EXPECT_NE(withoutRule.find(kCableRuleName), std::string::npos);
    const std::string withRule = deviceAccessHint(true);
    EXPECT_NE(withRule.find("plug it in again"), std::string::npos);
    EXPECT_EQ(withRule.find(kCableRuleName), std::string::npos);

    const fs::path empty = TempPath("rules_empty"), holding = TempPath("rules_holding");
    fs::create_directories(empty);
    fs::create_directories(holding);
    fs::remove(holding / kCableRuleName);
    EXPECT_FALSE(cableRuleInstalled({empty.string(), holding.string(), "/nonexistent"}));
    WriteFileBytes("rules_holding/" + std::string(kCableRuleName), "# rule\n");
    EXPECT_TRUE(cableRuleInstalled({empty.string(), holding.string()}));
    // The name looked for is the name the package installs.
    const fs::path shipped = fs::path(DATADOCK_TEST_DATA_DIR) / ".." / ".." / "res" / "udev";
    EXPECT_TRUE(cableRuleInstalled({shipped.string()}));
}
