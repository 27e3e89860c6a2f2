// The Win32 window on dialog template 102, with the real logic, shown on the
// test display (Xvfb under Wine).
#include "app/win32/win32_main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/main_dialog_template.h"
#include "app/texts.h"
#include "app/win32/command_tail.h"
#include "app/win32/display_text.h"
#include "app/win32/file_dialog_win32.h"
#include "serial/serial_port_api.h"
#include "tests/gui/main_window_layouts.h"
#include "tests/windows/screenshot.h"
#include "text/translation.h"
#include "text/utf16.h"
#include "viewer/win32/log_files_dialog.h"

namespace {

class DialogHarness {
public:
    explicit DialogHarness(
        std::vector<std::string> presentPorts = {}, bool showModelSave = false,
        CDatadockDlg::SerialFactory openPort = [] { return std::make_unique<SerialPortAPI>(); },
        Clock& clock = systemClock())
        : ports(std::move(presentPorts)),
          window(GetModuleHandleW(nullptr)),
          logic(
              window, [this] { return ports; }, std::move(openPort), clock) {
        window.answerMessageBoxesWith([](const ShownMessageBox&) {});
        window.answerFileDialogsWith([](const FileDialogRequest&) { return std::nullopt; });
        if (showModelSave) {
            logic.EnableModelSave();
        }
        window.attachLogic(logic);
        hwnd = window.createModeless();
        window.PumpMessages();
    }
    // The window tells the logic it is gone, so it goes first.
    ~DialogHarness() {
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
    }
    DialogHarness(const DialogHarness&) = delete;
    DialogHarness& operator=(const DialogHarness&) = delete;

    bool visible(int id) const { return IsWindowVisible(GetDlgItem(hwnd, id)) != FALSE; }

    std::wstring shownText(int id) const {
        wchar_t text[256] = {};
        GetDlgItemTextW(hwnd, id, text, 256);
        return text;
    }

    void command(int id) { SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

    std::vector<std::string> ports;
    Win32MainWindow window;
    CDatadockDlg logic;
    HWND hwnd = nullptr;
};

TEST(Win32MainWindowTest, TemplateShowsItsTextsAndTheIdleLayout_ButtonsReachTheLogic) {
    DialogHarness h;
    ASSERT_NE(h.hwnd, nullptr) << "the system made no window of dialog template 102";
    wchar_t caption[64] = {};
    GetWindowTextW(h.hwnd, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"DATADOCK MANAGER  Ver1.05");
    EXPECT_EQ(GetWindowLongW(h.hwnd, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(SendMessageW(h.hwnd, WM_GETICON, ICON_BIG, 0), 0);
    expectLayout(h, layout::kIdle);
    EXPECT_EQ(h.shownText(ctl::kStaticPort), L"-----");
    // The template's code page 932 texts reach the controls right.
    const std::wstring logSave = h.shownText(ctl::kBtnLogSave);
    EXPECT_EQ(logSave.rfind(std::wstring(3, L'\x3000') + L"LOG SAVE ", 0), 0u);
    EXPECT_EQ(logSave, displayText(txt::kBtnLogSave));
    EXPECT_EQ(h.shownText(ctl::kBtnUpdate), displayText(txt::kBtnUpdate));

    // The buttons reach the logic; Enter ends the dialog as OK.
    h.command(ctl::kBtnLogSave);
    ASSERT_EQ(h.window.shownMessageBoxes().size(), 1u);
    EXPECT_EQ(h.window.shownMessageBoxes()[0].text, "Not connected.");
    EXPECT_EQ(h.window.shownMessageBoxes()[0].icon, MessageIcon::Exclamation);
    h.command(IDOK);
    EXPECT_EQ(h.window.result(), IDOK);
    EXPECT_FALSE(h.logic.CancelRequested());
    EXPECT_FALSE(IsWindow(h.hwnd)) << "the dialog ended";
}

TEST(Win32MainWindowTest, TwoPortsToChooseFrom_AndTheTimerFindsThemGone) {
    DialogHarness two({"COM3", "COM12"}, true);
    expectLayout(two, layout::kIdlePortListVardo);
    EXPECT_EQ(two.window.ComboItems(), (std::vector<std::string>{"COM12", "COM3"}));
    EXPECT_EQ(two.shownText(ctl::kComboPort), L"COM12");
    EXPECT_EQ(two.shownText(ctl::kBtnModelSave), L"MODEL SAVE      KTR-90 \x2192 PC");

    // The port timer (1 s) finds the cable unplugged.
    two.ports = {};
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(2500);
    while (two.visible(ctl::kComboPort) && std::chrono::steady_clock::now() < until) {
        two.window.PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_FALSE(two.visible(ctl::kComboPort));
    EXPECT_TRUE(two.visible(ctl::kStaticPort));
    EXPECT_EQ(two.shownText(ctl::kStaticPort), L"-----");
}

TEST(Win32MainWindowTest, OnePort_LogSaveLayoutShowsTitlePathAndProgress) {
    DialogHarness h({"COM5"});
    expectLayout(h, layout::kIdle);
    EXPECT_EQ(h.shownText(ctl::kStaticPort), L"COM5");
    const std::string path = "C:\\\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF\\2026-06-01_lap.csv";
    std::vector<std::string> answers = {path, "C:\\2026-06-01_log.csv"};  // lap, then log
    h.window.answerFileDialogsWith([&](const FileDialogRequest&) -> std::optional<std::string> {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::string answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
    ASSERT_EQ(h.logic.SelectLogFiles(), 1);
    h.logic.ShowLogSaveLayout();
    h.window.SetControlText(ctl::kStaticPercent, "45%");
    h.window.ProgressSetPos(45);
    expectLayout(h, layout::kLogSave);
    EXPECT_EQ(h.shownText(ctl::kStaticTitle), displayText(txt::kTitleLogSave));
    EXPECT_EQ(h.shownText(ctl::kStaticInfo), L"C:\\\x30C7\x30FC\x30BF\\2026-06-01_lap.csv");
    EXPECT_EQ(h.window.ControlText(ctl::kStaticInfo), path) << "the bytes that were set";
    EXPECT_EQ(SendDlgItemMessageW(h.hwnd, ctl::kProgress, PBM_GETPOS, 0, 0), 45);

    h.logic.RestoreMainLayout();
    expectLayout(h, layout::kIdle);
    EXPECT_EQ(SendDlgItemMessageW(h.hwnd, ctl::kProgress, PBM_GETPOS, 0, 0), 0);
}

// Whether the text shows whole in the control, measured with the font the
// control really got.
bool textFits(HWND dialog, int id, const char* text) {
    HWND control = GetDlgItem(dialog, id);
    RECT room{}, drawn{};
    GetClientRect(control, &room);
    COMBOBOXINFO combo{sizeof combo, {}, {}, 0, nullptr, nullptr, nullptr};
    if (GetComboBoxInfo(control, &combo) != FALSE) {
        room = combo.rcItem;  // the selection field, beside the drop button
    }
    HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    DrawTextW(dc, displayText(text).c_str(), -1, &drawn, DT_CALCRECT | DT_SINGLELINE);
    ReleaseDC(control, dc);
    return drawn.right <= room.right - room.left - 2 * GetSystemMetrics(SM_CXEDGE);
}

// Whether the text shows whole on the control's lines as the system breaks
// them (a label, a box's message), in the control's own font.
bool fitsOnItsLines(HWND control, const std::wstring& text) {
    RECT room{};
    GetClientRect(control, &room);
    RECT drawn = room;
    HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), -1, &drawn, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    ReleaseDC(control, dc);
    return drawn.right <= room.right && drawn.bottom <= room.bottom;
}

// A wider font in the template's place, as where that is missing: the window
// makes it smaller until every text shows whole inside its control's edges.
TEST(Win32MainWindowTest, AWiderStandInFontIsMadeSmallerUntilEveryTextFits) {
    const std::unique_ptr<HFONT__, BOOL (*)(HGDIOBJ)> wide(
        CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"DejaVu Sans"),
        DeleteObject);
    DialogHarness h({"COM5"}, true);
    for (const ControlTemplate& each : mainDialogControls()) {
        SendDlgItemMessageW(h.hwnd, each.id, WM_SETFONT, reinterpret_cast<WPARAM>(wide.get()),
                            TRUE);
    }
    EXPECT_FALSE(textFits(h.hwnd, ctl::kBtnModelSave, txt::kBtnModelSave))
        << "the stand-in is not wider";
    h.window.fitFontToTexts();
    for (const TextToFit& each : mainDialogTextsToFit()) {
        EXPECT_TRUE(textFits(h.hwnd, each.id, each.text.c_str())) << each.id << " " << each.text;
    }
}

// tests/windows/dpi_screenshots.sh runs this at 96, 120, 144 and 192 DPI: the
// dialog and its font grow with the display's scale, and every text fits, in
// English and in Japanese (Cancel and the silent logger's note translated).
TEST(Win32MainWindowTest, EveryTextFitsAtTheDisplaysScale) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (const char* expected = std::getenv("DATADOCK_EXPECT_DPI")) {
        EXPECT_EQ(dpi, std::atoi(expected)) << "the display's scale was not taken";
    }
    for (const bool japanese : {false, true}) {
        std::optional<InJapanese> language;
        if (japanese) {
            language.emplace();
        }
        DialogHarness h({"COM5"}, true);
        HDC dc = GetDC(h.hwnd);
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(h.hwnd, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        ReleaseDC(h.hwnd, dc);
        EXPECT_GE(metrics.tmHeight * 96, 11 * dpi) << "the font did not grow with the scale";
        EXPECT_EQ(h.shownText(ctl::kBtnCancel), japanese ? L"キャンセル" : L"Cancel");
        for (const bool transfer : {false, true}) {
            if (transfer) {
                h.logic.ShowUpdateLayout();
                h.window.SetControlText(ctl::kStaticInfo, translated(txt::kWaitingForLogger));
                EXPECT_TRUE(fitsOnItsLines(GetDlgItem(h.hwnd, ctl::kStaticInfo),
                                           h.shownText(ctl::kStaticInfo)))
                    << dpi << " dpi, the silent logger's note";
            }
            for (const TextToFit& each : mainDialogTextsToFit()) {
                EXPECT_TRUE(!IsWindowVisible(GetDlgItem(h.hwnd, each.id)) ||
                            textFits(h.hwnd, each.id, each.text.c_str()))
                    << dpi << " dpi: " << each.id << " " << each.text;
            }
            if (const char* folder = std::getenv("DATADOCK_SCREENSHOT_DIR")) {
                h.window.PumpMessages();
                const std::string name =
                    std::string(japanese ? "ja-" : "") + (transfer ? "update" : "idle");
                saveScreenshot(h.hwnd, utf8ToUtf16(std::string(folder) + "\\win32-" + name + "-" +
                                                   std::to_string(dpi) + "dpi.bmp"));
            }
        }
    }
}

// Common Controls 6 draws the buttons themed and answers what only it knows;
// without the manifest the system's classic buttons answer nothing.
TEST(Win32MainWindowTest, ManifestBringsThemedControls) {
    DialogHarness h;
    SIZE ideal{};
    EXPECT_TRUE(SendDlgItemMessageW(h.hwnd, ctl::kBtnLogSave, BCM_GETIDEALSIZE, 0,
                                    reinterpret_cast<LPARAM>(&ideal)));
}

// Closes the modal window the way Esc does, from inside its own loop.
void CALLBACK pressEscape(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND dialog = FindWindowW(nullptr, L"DATADOCK MANAGER  Ver1.05")) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        KillTimer(nullptr, timer);
    }
}

// Told OnDestroy, the logic has let go of its port: its port timer scans no more.
TEST(Win32MainWindowTest, ModalLoopRunsUntilEscAndTellsTheLogicItIsGone) {
    Win32MainWindow window(GetModuleHandleW(nullptr));
    int scans = 0;
    CDatadockDlg logic(
        window,
        [&scans] {
            ++scans;
            return std::vector<std::string>{"COM5"};
        },
        [] { return std::make_unique<SerialPortAPI>(); });
    window.attachLogic(logic);
    SetTimer(nullptr, 0, 50, pressEscape);
    EXPECT_EQ(window.runModal(), IDCANCEL);
    EXPECT_TRUE(logic.CancelRequested());
    const int scansWhenClosed = scans;
    logic.OnTimer(kPortPollTimerId);
    EXPECT_EQ(scans, scansWhenClosed) << "OnDestroy not told";
}

// Hands each file to the window as Explorer drops it.
void dropFiles(HWND window, const std::vector<std::wstring>& files) {
    std::wstring names;
    for (const std::wstring& file : files) {
        names += file + L'\0';
    }
    const std::size_t bytes = (names.size() + 1) * sizeof(wchar_t);
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* head = static_cast<DROPFILES*>(GlobalLock(drop));
    head->pFiles = sizeof(DROPFILES);
    head->fWide = TRUE;
    std::memcpy(head + 1, names.c_str(), bytes);
    GlobalUnlock(drop);
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);  // the window frees it
}

Win32MainWindow* g_window = nullptr;

// Chooses the first entry of the menu that is open, noting its text.
std::wstring g_menuEntry;
void CALLBACK chooseFirstEntry(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const auto menu =
        reinterpret_cast<HMENU>(SendMessageW(FindWindowW(L"#32768", nullptr), MN_GETHMENU, 0, 0));
    wchar_t text[64] = {};
    GetMenuStringW(menu, 0, text, 64, MF_BYPOSITION);
    g_menuEntry = text;
    PostMessageW(g_window->window(), WM_COMMAND, GetMenuItemID(menu, 0), 0);
    EndMenu();
}

// The window's message box once it is shown, when the timer looking for it
// stops; none before.
HWND shownBox(UINT_PTR timer) {
    HWND box = FindWindowW(nullptr, L"DATADOCK MANAGER");
    if (box != nullptr) {
        KillTimer(nullptr, timer);
    }
    return box;
}

// Answers the box the window shows next from inside its modal loop: Enter,
// or a click on "View" when g_clickView; the boxes after it are answered.
bool g_clickView = false;
void CALLBACK answerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = shownBox(timer);
    if (box == nullptr) {
        return;
    }
    g_window->answerMessageBoxesWith([](const ShownMessageBox&) {});
    HWND view = FindWindowExW(box, nullptr, L"Button", L"View");
    EXPECT_NE(view, nullptr) << "no View offered";
    g_clickView ? PostMessageW(view, BM_CLICK, 0, 0)
                : PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
}

// With no viewer to start, each way to it says so: the background's menu
// (the buttons have none), dropped CSV files (not other files) and "View" in
// a LOG SAVE's completion box, where Enter still means OK.
TEST(Win32MainWindowTest, TheMenuDroppedCsvFilesAndTheCompletionBoxStartTheViewer) {
    DialogHarness h;
    EXPECT_NE(GetWindowLongW(h.hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    SetEnvironmentVariableW(L"DATADOCK_VIEWER", L"C:\\nowhere\\viewer.exe");
    h.window.answerFileDialogsWith(
        [](const FileDialogRequest&) -> std::optional<std::string> { return "C:\\log.csv"; });
    g_window = &h.window;
    for (HWND under : {h.hwnd, GetDlgItem(h.hwnd, ctl::kBtnLogSave)}) {
        g_menuEntry.clear();
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, chooseFirstEntry);
        SendMessageW(h.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(under), MAKELPARAM(9, 9));
        KillTimer(nullptr, timer);
        h.window.PumpMessages();  // the chosen entry's command
        EXPECT_EQ(g_menuEntry, under == h.hwnd ? L"View a log\x2026" : L"");
    }
    dropFiles(h.hwnd, {L"C:\\KTR90.dat", L"C:\\log.csv"});
    dropFiles(h.hwnd, {L"C:\\lap.CSV", L"C:\\log.csv"});
    const std::vector<std::string> saved = {"C:\\lap.csv", "C:\\log.csv"};
    for (const bool clickView : {false, true}) {
        g_clickView = clickView;
        h.window.answerMessageBoxesWith(nullptr);
        SetTimer(nullptr, 0, 20, answerBox);
        h.window.MessageBox("Completed to receive data!!", MessageIcon::Information, "", saved);
    }
    SetEnvironmentVariableW(L"DATADOCK_VIEWER", nullptr);
    const std::vector<ShownMessageBox>& shown = h.window.shownMessageBoxes();
    ASSERT_EQ(shown.size(), 5u);
    for (const std::size_t warning : {0, 1, 4}) {
        EXPECT_EQ(shown[warning].text, "The log viewer could not be started.");
        EXPECT_EQ(shown[warning].detail,
                  "C:\\nowhere\\viewer.exe (named by DATADOCK_VIEWER) was not found.");
    }
    EXPECT_EQ(shown[2].viewable, saved);
}

// Looks at the completion box in Japanese from inside its modal loop: View
// translated, each text whole (the system sizes the box), a picture; then OK.
bool g_japaneseBoxSeen = false;
void CALLBACK lookAtJapaneseBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = shownBox(timer);
    if (box == nullptr) {
        return;
    }
    g_japaneseBoxSeen = true;
    EXPECT_NE(FindWindowExW(box, nullptr, L"Button", L"表示"), nullptr) << "View not translated";
    bool messageShown = false;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        messageShown |= std::wstring(text) == L"データの受信が完了しました！";
        EXPECT_TRUE(!IsWindowVisible(child) || fitsOnItsLines(child, text)) << utf16ToUtf8(text);
    }
    EXPECT_TRUE(messageShown);
    if (const char* folder = std::getenv("DATADOCK_SCREENSHOT_DIR")) {
        RedrawWindow(box, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        saveScreenshot(box, utf8ToUtf16(std::string(folder) + "\\win32-ja-message-box-" +
                                        std::to_string(dpi) + "dpi.bmp"));
    }
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
}

// In Japanese the background's menu and the box that offers the saved log
// speak it; the product's caption stays.
TEST(Win32MainWindowTest, InJapaneseTheMenuAndTheCompletionBoxSpeakIt) {
    const InJapanese japanese;
    DialogHarness h;
    g_window = &h.window;
    g_menuEntry.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, chooseFirstEntry);
    SendMessageW(h.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h.hwnd), MAKELPARAM(9, 9));
    KillTimer(nullptr, timer);
    h.window.PumpMessages();
    EXPECT_EQ(g_menuEntry, L"ログを表示…");

    h.window.answerMessageBoxesWith(nullptr);
    SetTimer(nullptr, 0, 20, lookAtJapaneseBox);
    h.window.MessageBox(translated(txt::kCompleted), MessageIcon::Information, "",
                        {"C:\\lap.csv", "C:\\log.csv"});
    EXPECT_TRUE(g_japaneseBoxSeen);
}

TEST(Win32MainWindowTest, StartUpSwitchAndFileFiltersAsTheSystemTakesThem) {
    EXPECT_EQ(commandLineTail(L"\"C:\\Program Files\\DataDock\\datadock-manager.exe\"  -VARDO"),
              L"-VARDO");
    EXPECT_EQ(commandLineTail(L"datadock-manager.exe -VARDO "), L"-VARDO ");
    EXPECT_EQ(commandLineTail(L"datadock-manager.exe"), L"");
    EXPECT_EQ(commandLineTail(L"datadock-manager.exe \"-VARDO\""), L"\"-VARDO\"");

    EXPECT_EQ(systemFilter(txt::kCsvFilter), std::wstring(L"CSV(*.csv)\0*.csv\0\0", 18));
    EXPECT_EQ(systemFilter(""), L"");
    // Several files chosen at once come as their folder and their names.
    EXPECT_EQ(chosenFiles(L"C:\\logs\0a.csv\0b.csv\0"),
              (std::vector<std::string>{"C:\\logs\\a.csv", "C:\\logs\\b.csv"}));
    EXPECT_EQ(chosenFiles(L"C:\\logs\\a.csv\0"), std::vector<std::string>{"C:\\logs\\a.csv"});
}

}  // namespace
