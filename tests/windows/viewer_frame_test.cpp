// The Windows log viewer's window with the golden log, on the test display
// (Xvfb under Wine): its lap table, a lap clicked, two laps overlaid, and a
// broken file; its texts in Japanese.
#include "viewer/win32/viewer_frame.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/temp_files.h"
#include "tests/windows/screenshot.h"
#include "text/translation.h"
#include "text/utf16.h"
#include "viewer/compared_laps.h"
#include "viewer/gdiplus_canvas.h"

namespace {

const std::string kGolden = std::string(DATADOCK_TEST_DATA_DIR) + "/golden/normal_";

void pumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class ViewerFrameTest : public ::testing::Test {
protected:
    ViewerFrameTest() {
        frame =
            std::make_unique<ViewerFrame>(GetModuleHandleW(nullptr), TempPath("viewer-settings"));
        frame->showErrorsWith([this](const std::string& error) { errors.push_back(error); });
        frame->answerFileQuestionsWith([](auto, const std::string&) {
            return std::vector<std::string>{};  // cancelled
        });
        ShowWindow(frame->window(), SW_SHOW);
    }

    void select(const std::vector<std::size_t>& rows) {
        frame->lapList().select(rows);
        pumpMessages();
    }
    void screenshot(const std::string& name) {
        if (const char* folder = std::getenv("DATADOCK_SCREENSHOT_DIR")) {
            UpdateWindow(frame->window());
            pumpMessages();
            const HDC screen = GetDC(nullptr);
            const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
            ReleaseDC(nullptr, screen);
            saveScreenshot(frame->window(), utf8ToUtf16(std::string(folder) + "\\viewer-" + name +
                                                        "-" + std::to_string(dpi) + "dpi.bmp"));
        }
    }

    const GdiplusSession drawing;  // before the window, gone after it
    std::unique_ptr<ViewerFrame> frame;
    std::vector<std::string> errors;
};

TEST_F(ViewerFrameTest, ListsTheLapsZoomsToOneAndOverlaysTwo) {
    ASSERT_TRUE(frame->openFiles({kGolden + "log.csv", kGolden + "lap.csv"})) << errors.front();
    pumpMessages();
    const LogSession& session = *frame->session();
    ASSERT_EQ(session.figures.size(), 2u);
    EXPECT_EQ(frame->lapList().rowCount(), session.figures.size());
    EXPECT_EQ(frame->lapList().cellText(1, 0), "2");
    EXPECT_EQ(frame->lapList().cellText(1, 1), timeText(session.figures[1].lapCs));
    screenshot("whole");

    select({1});
    const PlotView& view = frame->plot().controller().view();
    EXPECT_EQ(view.startCs, session.span(2)->startCs);
    EXPECT_EQ(view.endCs, session.span(2)->endCs);
    screenshot("lap");

    select({0, 1});
    const LapComparison* overlay = frame->plot().controller().comparison();
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->overlaid.size(), 2u);
    screenshot("overlay");

    // Another session's laps, in the Compare tab beside the first's.
    const std::string other = WriteFileBytes("b_log.csv", ReadFileBytes(kGolden + "log.csv"));
    WriteFileBytes("b_lap.csv", ReadFileBytes(kGolden + "lap.csv"));
    ASSERT_TRUE(frame->addToCompare({other})) << errors.front();
    ReportList& compared = frame->comparePage().list();
    ASSERT_EQ(compared.rowCount(), 4u);
    EXPECT_EQ(compared.cellText(2, 1), "1");
    compared.select({1, 2});
    pumpMessages();
    ASSERT_NE(frame->plot().controller().comparison(), nullptr);
    // With the reference, the fastest lap of both: session 1's first.
    EXPECT_EQ(frame->plot().controller().comparison()->overlaid.size(), 3u);
    screenshot("compare");
    // The overlay exported as the user sees it.
    const std::string svg = TempPath("overlay.svg");
    ASSERT_TRUE(frame->exportImage(svg)) << errors.front();
    EXPECT_NE(ReadFileBytes(svg).find("session 1 lap 2"), std::string::npos);
    // Opened again from the recent list, by whole paths.
    EXPECT_EQ(frame->recent().entries().front().size(), 2u);
    EXPECT_TRUE(errors.empty());
}

// The window made after the language is chosen, as a program starts.
struct JapaneseFirst {
    JapaneseFirst() { useUiLanguage(UiLanguage::Japanese); }
    ~JapaneseFirst() { useUiLanguage(UiLanguage::English); }
};
class JapaneseViewerFrameTest : private JapaneseFirst, public ViewerFrameTest {};

std::string columnHeader(const ReportList& list, int column) {
    wchar_t text[64] = {};
    LVCOLUMNW description{};
    description.mask = LVCF_TEXT;
    description.pszText = text;
    description.cchTextMax = static_cast<int>(std::size(text));
    EXPECT_TRUE(ListView_GetColumn(list.window(), column, &description));
    return utf16ToUtf8(text);
}

TEST_F(JapaneseViewerFrameTest, ListsTheLapsUnderJapaneseHeadersAndMenus) {
    ASSERT_TRUE(frame->openFiles({kGolden + "log.csv", kGolden + "lap.csv"})) << errors.front();
    pumpMessages();
    for (std::size_t c = 0; c < lapTableColumns().size(); ++c) {
        const std::string& english = lapTableColumns()[c].header;
        EXPECT_EQ(columnHeader(frame->lapList(), static_cast<int>(c)), japaneseText(english));
        EXPECT_NE(japaneseText(english), english);
    }
    EXPECT_EQ(columnHeader(frame->comparePage().list(), 0), japaneseText(kComparedLapHeaders[0]));
    EXPECT_EQ(frame->lapList().cellText(0, 2), japaneseText("best"));
    wchar_t menu[64] = {};
    GetMenuStringW(GetMenu(frame->window()), 0, menu, static_cast<int>(std::size(menu)),
                   MF_BYPOSITION);
    EXPECT_EQ(utf16ToUtf8(menu), japaneseText("&File"));
    screenshot("japanese");
}

TEST_F(ViewerFrameTest, BrokenFileIsNamedAndNothingOpens) {
    const std::string broken =
        WriteFileBytes("broken_log.csv", std::string("\x00\x01PK\x03\x04", 6));
    EXPECT_FALSE(frame->openFiles({broken}));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors.front().find("broken_log.csv"), std::string::npos) << errors.front();
    EXPECT_EQ(frame->session(), nullptr);
    EXPECT_FALSE(frame->exportImage(TempPath("nothing.png")));
}

// Each menu command does its own work, however many logs were opened before.
TEST_F(ViewerFrameTest, AddToCompareAsksForALogAfterSeveralOpenings) {
    const std::string other = WriteFileBytes("c_log.csv", ReadFileBytes(kGolden + "log.csv"));
    WriteFileBytes("c_lap.csv", ReadFileBytes(kGolden + "lap.csv"));
    ASSERT_TRUE(frame->openFiles({other}));
    ASSERT_TRUE(frame->openFiles({kGolden + "log.csv"}));
    std::vector<ViewerFrame::FileQuestion> asked;
    frame->answerFileQuestionsWith(
        [&asked](ViewerFrame::FileQuestion question, const std::string&) {
            asked.push_back(question);
            return std::vector<std::string>{};
        });
    const HMENU file = GetSubMenu(GetMenu(frame->window()), 0);
    SendMessageW(frame->window(), WM_COMMAND, GetMenuItemID(file, 1), 0);  // Add Log to Compare
    EXPECT_EQ(asked, std::vector{ViewerFrame::FileQuestion::OpenFiles});
    EXPECT_EQ(frame->session()->log.path, kGolden + "log.csv");
}

// Closed and opened again, the viewer is where and as large as it was left.
TEST_F(ViewerFrameTest, OpensWhereItWasLeft) {
    SetWindowPos(frame->window(), nullptr, 40, 30, 700, 500, SWP_NOZORDER);
    SendMessageW(frame->window(), WM_CLOSE, 0, 0);
    ViewerFrame again(GetModuleHandleW(nullptr), TempPath("viewer-settings"));
    again.showWhereLeft(SW_SHOWNORMAL);
    RECT place{};
    GetWindowRect(again.window(), &place);
    EXPECT_EQ(place.left, 40);
    EXPECT_EQ(place.top, 30);
    EXPECT_EQ(place.right - place.left, 700);
    EXPECT_EQ(place.bottom - place.top, 500);
}

}  // namespace
