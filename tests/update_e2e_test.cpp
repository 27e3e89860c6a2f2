// SOFTWARE UPDATE against the simulated logger over a
// pseudo-terminal, with time running twenty times faster.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "sim/records.h"
#include "tests/support/sim_transfer_harness.h"
#include "tests/support/temp_files.h"

namespace {

using ::testing::ElementsAre;

const std::vector<std::string> kLines = {"S00F000044415441444F434B", "S2140000000123ABCD00", "",
                                         "S214000010 spaces  kept ", "S9030000FC"};

std::string UpdateBytes(const std::string& lineEnd) {
    std::string bytes;
    for (const std::string& line : kLines) {
        bytes += line + lineEnd;
    }
    return bytes;
}

// Two updates in a row to one logger: each image is that update's file alone.
TEST(UpdateEndToEnd, TheLoggerReceivesTheFileLineForLineWhateverItsLineEnds) {
    SimTransferHarness h(ktr90::Scenario{});
    for (const std::string lineEnd : {"\r\n", "\n"}) {
        SCOPED_TRACE(lineEnd.size());
        const TransferResult result = h.update(WriteFileBytes("e2e.dat", UpdateBytes(lineEnd)));
        EXPECT_EQ(result.message, "Update complete!!\r\nReboot the KTR-90.");
        EXPECT_EQ(h.logger.receivedImage(), kLines);
    }
    const auto commands = h.commands();
    ASSERT_GE(commands.size(), 6u);
    EXPECT_THAT(std::vector<std::string>(commands.begin(), commands.begin() + 5),
                ElementsAre("SUPM", "SUPW", "SUPC", "SUPS", "SUPV"));
    EXPECT_EQ(commands.back(), "SUPE");
}

}  // namespace
