// Files as the transfers write and read them, by any name the user picks.
#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "device/text_file.h"
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
    const UpdateFile read = ReadUpdateFile(path);
    ASSERT_EQ(read.lines.size(), 2u) << read.error;
    EXPECT_EQ(read.lines[0], "S0030000FC");
    EXPECT_EQ(read.lines[1], "\x83\x4A\x81\x5B");

    EXPECT_TRUE(writer.Remove());
    EXPECT_FALSE(ReadUpdateFile(path).error.empty());
    std::filesystem::remove_all(std::filesystem::u8path(folder));
}

#ifndef _WIN32
// "No data" deletes the output file; given a pipe or a device instead of a
// file, it must leave it alone, whoever runs the program.
TEST(TextFile, RemoveLeavesWhatIsNoFileOfItsOwnAlone) {
    const std::string fifo = TempPath("output.fifo");
    std::filesystem::remove(fifo);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    TextFileWriter writer;
    ASSERT_TRUE(writer.Create(fifo)) << writer.Error();
    EXPECT_TRUE(writer.Remove());
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    ::close(reader);
}
#endif

}  // namespace
