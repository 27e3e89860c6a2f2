// A file another program holds open without sharing, as a spreadsheet holds
// the CSV it shows: it is named as held, and nothing of it changes.
#include <windows.h>

#include <gtest/gtest.h>

#include "device/file_access.h"
#include "tests/support/temp_files.h"
#include "text/utf16.h"

TEST(HeldFile, IsNamedAsOpenInAnotherProgramAndKeepsItsBytes) {
    const std::string path = WriteFileBytes("held_log.csv", "last session\r\n");
    HANDLE held = CreateFileW(utf8ToUtf16(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteProblem(path),
              path + " is open in another program. Close it there and try again.");
    CloseHandle(held);
    EXPECT_EQ(WriteProblem(path), "");
    EXPECT_EQ(ReadFileBytes(path), "last session\r\n");
    EXPECT_EQ(WriteProblem(path + ".new"), "");
    EXPECT_FALSE(FileExists(path + ".new")) << "a file made only to try is gone again";
}
