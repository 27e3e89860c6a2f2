// The log viewer's program started as a program of its own, on Windows.
#include "viewer/win32/log_viewer_start.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <shellapi.h>

namespace {

// Each path reaches the viewer as the one argument it is: spaces, Japanese
// names, quotes and the backslash that ends a folder or a share.
TEST(LogViewerStartTest, EachPathIsOneArgument_TheViewerIsBesideTheProgram) {
    const std::wstring program = L"C:\\Program Files\\DataDock\\datadock-viewer.exe";
    const std::vector<std::wstring> files = {
        L"C:\\My Logs\\lap 1.csv", L"C:\\\x30C7\x30FC\x30BF\\log.csv",
        L"C:\\a folder\\",         L"\\\\server\\share\\\\",
        L"say \"hi\\\".csv",       L""};
    int count = 0;
    wchar_t** split = CommandLineToArgvW(viewerCommandLine(program, files).c_str(), &count);
    ASSERT_EQ(count, 7);
    EXPECT_EQ(split[0], program);
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(split[i + 1], files[i]);
    }
    LocalFree(split);

    // Without DATADOCK_VIEWER: beside the running program, where the zip puts it.
    EXPECT_TRUE(logViewerProgram().ends_with(L"\\tests\\datadock-viewer.exe"));
}

}  // namespace
