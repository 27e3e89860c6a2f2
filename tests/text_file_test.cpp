// Files as the transfers write and read them, by any name the user picks.
#include <gtest/gtest.h>

#include <filesystem>

#include "device/text_file.h"
#include "tests/support/platform_names.h"
#include "tests/support/temp_files.h"
#include "update/update_file.h"

namespace {

// A folder named in Japanese and with an accent, which no single code page
// can name: the file system's own names (UTF-8 here, UTF-16 on Windows).
TEST(TextFile, WritesAndReadsInAFolderNamedInAnyScript) {
    const std::string folder = TempPath("\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF \xC3\xA9");
    std::filesystem::create_directories(std::filesystem::u8path(folder));
    const std::string path = folder + "/update.dat";

    TextFileWriter writer;
    ASSERT_TRUE(writer.Create(path)) << writer.Error();
    EXPECT_TRUE(writer.WriteLine("S0030000FC"));
    EXPECT_TRUE(writer.WriteLine("\x83\x4A\x81\x5B"));
    ASSERT_TRUE(writer.Close()) << writer.Error();
    EXPECT_EQ(ReadUpdateFile(path).lines,
              (std::vector<std::string>{"S0030000FC", "\x83\x4A\x81\x5B"}));

    EXPECT_TRUE(writer.Remove());
    EXPECT_FALSE(ReadUpdateFile(path).error.empty());
    std::filesystem::remove_all(std::filesystem::u8path(folder));
}

// The last lines sit in the C library's buffer until the file is closed;
// a disk that fills up then must still be noticed.
TEST(TextFile, FullDiskIsNoticedWhenTheLastLinesAreWrittenOut) {
    TextFileWriter writer;
    ASSERT_TRUE(writer.Create(FullDiskPath())) << writer.Error();
    EXPECT_TRUE(writer.WriteLine("a line that stays in the buffer"));
    EXPECT_FALSE(writer.Close());
    EXPECT_NE(writer.Error().find(FullDiskPath()), std::string::npos) << writer.Error();
}

}  // namespace
