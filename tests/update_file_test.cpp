// What the update file and the logger's reply yield beyond the common case the
// end-to-end update shows: text-mode lines, files that are no update file,
// and versions that are not where they should be.
#include "update/update_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "tests/support/temp_files.h"

namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const std::string& name, const std::string& bytes) {
    const UpdateFile file = ReadUpdateFile(WriteFileBytes(name, bytes));
    EXPECT_TRUE(file.error.empty()) << file.error;
    Lines lines;
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        lines.emplace_back(file.lines[i]);
    }
    return lines;
}

TEST(UpdateFile, LinesAreReadAsTextModeReadsThem) {
    EXPECT_EQ(LinesOf("crlf.dat", "S0\r\n\r\nS1 x\r\nlast"), (Lines{"S0", "", "S1 x", "last"}));
    EXPECT_EQ(LinesOf("lf.dat", "S0\n\nS1 x\n"), (Lines{"S0", "", "S1 x"}));
    EXPECT_EQ(LinesOf("eof.dat", "S0\r\nS1\x1A\r\nS2\r\n"), (Lines{"S0", "S1"}))
        << "Ctrl-Z ends the file";
    EXPECT_EQ(LinesOf("nul.dat", std::string("S0\0junk\r\nS1\r\n", 13)), (Lines{"S0", "S1"}))
        << "a NUL ends its line";
    std::string large;
    for (int i = 0; i < 20000; ++i) {
        large += "S214" + std::to_string(i) + "\r\n";
    }
    const Lines largeLines = LinesOf("large.dat", large);
    ASSERT_EQ(largeLines.size(), 20000u) << "a file of many reads loses nothing";
    EXPECT_EQ(largeLines[12345], "S21412345");
    EXPECT_TRUE(LinesOf("empty.dat", "").empty());
}

TEST(UpdateFile, WhatIsNoRegularFileOfAFirmwaresSizeIsRefusedWithAReason) {
    const std::string fifo = TempPath("update.fifo");
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string big = WriteFileBytes("big.dat", "");
    std::filesystem::resize_file(big, kMaxUpdateFileBytes + 1);
    for (const std::string& path : {TempPath("no-such-file.dat"), ::testing::TempDir(), fifo,
                                    std::string("/dev/zero"), big}) {
        const UpdateFile file = ReadUpdateFile(path);
        EXPECT_TRUE(file.lines.empty()) << path;
        EXPECT_NE(file.error.find(path), std::string::npos) << file.error;
    }
    EXPECT_NE(ReadUpdateFile(TempPath("no-such-file.dat")).error.find("The file does not exist."),
              std::string::npos);
}

TEST(UpdateFile, VersionsFallBackOrStopAtTheLineEnd) {
    EXPECT_EQ(FileVersionText("short"), "Ver 5.55");
    EXPECT_EQ(FileVersionText("S2140000000a23abcd99"), "Ver 5.55");
    EXPECT_EQ(FileVersionText("S2140000000500050599"), "Ver 10.1010");
    EXPECT_EQ(DeviceVersionText("OK00\r\n"), "");
    EXPECT_EQ(DeviceVersionText("OK00,VERSION-1.2.3-LONG\r\nOK00\r\n"), "VERSION-1.2.3-LONG");
}

}  // namespace
