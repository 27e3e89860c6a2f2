#include "update/update_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

std::string WriteTemp(const std::string& name, const std::string& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(UpdateFile, LinesLoseTheirTerminatorWhateverItIs) {
    const auto crlf = ReadUpdateLines(WriteTemp("crlf.dat", "S0\r\n\r\nS1 x\r\nlast"));
    ASSERT_TRUE(crlf);
    EXPECT_EQ(*crlf, (std::vector<std::string>{"S0", "", "S1 x", "last"}));
    const auto lf = ReadUpdateLines(WriteTemp("lf.dat", "S0\n\nS1 x\n"));
    ASSERT_TRUE(lf);
    EXPECT_EQ(*lf, (std::vector<std::string>{"S0", "", "S1 x"}));
    EXPECT_EQ(ReadUpdateLines(WriteTemp("empty.dat", ""))->size(), 0u);
    EXPECT_FALSE(ReadUpdateLines(::testing::TempDir() + "no-such-file.dat"));
}

TEST(UpdateFile, FileVersionComesFromDigitsTwoSixAndEightOfTheField) {
    EXPECT_EQ(FileVersionText("S2140000000123ABCD99"), "Ver 6.02");
    EXPECT_EQ(FileVersionText("short"), "Ver 5.55");
    EXPECT_EQ(FileVersionText("S2140000000a23abcd99"), "Ver 5.55");
    EXPECT_EQ(FileVersionText("S2140000000500050599"), "Ver 10.1010");
}

TEST(UpdateFile, DeviceVersionIsTheReplyAfterItsHeaderUpToTheLineEnd) {
    EXPECT_EQ(DeviceVersionText("OK00,1.04\r\n"), "1.04");
    EXPECT_EQ(DeviceVersionText("OK00\r\n"), "");
    EXPECT_EQ(DeviceVersionText("OK00,VERSION-1.2.3-LONG\r\nOK00\r\n"), "VERSION-1.2.3-LONG");
}

}  // namespace
