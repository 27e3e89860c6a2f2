// What the update file and the logger's reply yield beyond the common case the
// end-to-end update shows: an unterminated last line, and versions that are
// not where they should be.
#include "update/update_file.h"

#include <gtest/gtest.h>

#include "tests/support/temp_files.h"

namespace {

TEST(UpdateFile, TheLastLineNeedsNoTerminator) {
    const auto lines = ReadUpdateLines(WriteFileBytes("unterminated.dat", "S0\r\n\r\nlast"));
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"S0", "", "last"}));
}

TEST(UpdateFile, VersionsFallBackOrStopAtTheLineEnd) {
    EXPECT_EQ(FileVersionText("short"), "Ver 5.55");
    EXPECT_EQ(FileVersionText("S2140000000a23abcd99"), "Ver 5.55");
    EXPECT_EQ(FileVersionText("S2140000000500050599"), "Ver 10.1010");
    EXPECT_EQ(DeviceVersionText("OK00\r\n"), "");
    EXPECT_EQ(DeviceVersionText("OK00,VERSION-1.2.3-LONG\r\nOK00\r\n"), "VERSION-1.2.3-LONG");
}

}  // namespace
