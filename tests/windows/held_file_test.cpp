// A file another program holds open without sharing, as a spreadsheet holds
// the CSV it shows: it is named as held, and nothing of it changes.
#include <windows.h>

#include <gtest/gtest.h>

#include "device/file_access.h"
#include "tests/support/temp_files.h"
#include "tests/support/transfer_harness.h"
#include "text/utf16.h"

namespace {

HANDLE Hold(const std::string& path) {
    return CreateFileW(utf8ToUtf16(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string HeldText(const std::string& path) {
    return path + " is open in another program. Close it there and try again.";
}

TEST(HeldFile, IsNamedAsOpenInAnotherProgramAndKeepsItsBytes) {
    const std::string path = WriteFileBytes("held_log.csv", "last session\r\n");
    HANDLE held = Hold(path);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(WriteProblem(path), HeldText(path));
    EXPECT_EQ(OpenFile(path, "wb"), nullptr);
    EXPECT_EQ(OpenFailureText(FileAction::Create, path), HeldText(path)) << "not as permissions";
    CloseHandle(held);
    EXPECT_EQ(WriteProblem(path), "");
    EXPECT_EQ(ReadFileBytes(path), "last session\r\n");
    EXPECT_EQ(WriteProblem(path + ".new"), "");
    EXPECT_FALSE(FileExists(path + ".new")) << "a file made only to try is gone again";
}

// Last week's log open in a spreadsheet: LOG SAVE onto the same names stops
// before the logger is asked, and the lap file keeps its laps.
TEST(HeldFile, HeldLogFileCostsNoLapFileAndAsksNothingOfTheLogger) {
    TransferHarness harness;
    const std::string lap = WriteFileBytes("suzuka_lap.csv", "last week\r\n");
    const std::string log = WriteFileBytes("suzuka_log.csv", "last week\r\n");
    HANDLE held = Hold(log);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const TransferResult result = harness.logSave(lap, log);
    CloseHandle(held);
    EXPECT_EQ(result.message, "Failed to receive data.");
    EXPECT_EQ(result.reason, HeldText(log));
    EXPECT_EQ(ReadFileBytes(lap), "last week\r\n");
    EXPECT_TRUE(harness.device->written.empty());
}

}  // namespace
