#include "viewer/win32/viewer_frame.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "device/file_access.h"
#include "text/utf16.h"
#include "text/wide_text.h"
#include "viewer/compared_laps.h"
#include "viewer/file_pairing.h"
#include "viewer/lap_comparison.h"
#include "viewer/plot_export.h"
#include "viewer/plot_painter.h"
#include "viewer/viewer_texts.h"
#include "viewer/win32/log_files_dialog.h"
#include "viewer/win32/screen_scale.h"
#include "viewer/win32/window_placement.h"

namespace {

const wchar_t kClassName[] = L"DataDockViewer";
// Long enough for several files of any length the system allows.
constexpr DWORD kPathsCapacity = 65536;
// Room for the lap table's columns beside the plot, at 96 dots an inch.
constexpr int kLapListWidth = 440;

enum Command : int {
    kOpen = 100,
    kExportImage,
    kExportLapTable,
    kClose,
    kFitScales,
    kWholeLog,
    kZoomIn,
    kZoomOut,
    kAddToCompare,
    kFirstChannel = 200,  // one a channel
    kFirstRecent = 300,   // one a recent opening, up to RecentLogs::kMost
    kLapListId = 400,
    kCompareListId,
    kUseReference,
    kByTime,
};
enum Tab : int { kLapsTab, kCompareTab };
// Posted when the list's selection has changed, so that a selection of
// several rows (many changes) is taken once.
constexpr UINT kSelectionChanged = WM_APP + 1;

HFONT messageFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

// A menu item's text in the user's language, then its keys as Windows
// writes them in every language.
std::wstring menuText(const char* english, const wchar_t* keys = L"") {
    const std::wstring keysAfterTab = *keys ? std::wstring(L"\t") + keys : std::wstring();
    return wideText(english) + keysAfterTab;
}

std::string fileNameOf(const std::string& path) {
    return PathText(FilePath(path).filename());
}

std::string folderOf(const std::string& path) {
    return PathText(FilePath(path).parent_path());
}

// The whole path, so that a recent entry opens again from any folder.
std::string wholePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(FilePath(path), error);
    return error ? path : PathText(whole);
}

// Proposes the log's name beside it; a name given without an extension gets
// the one of the kind chosen.
std::vector<std::string> askSave(HWND owner, const std::wstring& title, const std::string& log,
                                 bool image) {
    std::vector<wchar_t> buffer(kPathsCapacity, L'\0');
    const std::string base =
        log.empty() ? (image ? "plot" : "laps") : PathText(FilePath(log).stem());
    const std::wstring proposed = utf8ToUtf16(base + (image ? ".png" : ".csv"));
    proposed.copy(buffer.data(), buffer.size() - 1);
    const std::wstring folder = utf8ToUtf16(folderOf(log));
    const std::wstring filter =
        image ? fileFilter({{viewer_text::kPngImage, L"*.png"}, {viewer_text::kSvgImage, L"*.svg"}})
              : fileFilter({{viewer_text::kCsvFile, L"*.csv"}});
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kPathsCapacity;
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) {
        return {};
    }
    std::string name = utf16ToUtf8(buffer.data());
    if (!FilePath(name).has_extension()) {
        name += !image ? ".csv" : dialog.nFilterIndex == 2 ? ".svg" : ".png";
    }
    return {name};
}

}  // namespace

// Nothing is kept without a folder of the user's to keep it in.
ViewerFrame::ViewerFrame(HINSTANCE instance, const std::string& settings)
    : m_recent(settings.empty() ? "" : settings + "\\recent.txt"),
      m_placementStore(settings.empty() ? "" : settings + "\\window.txt") {
    create(instance);
}

void ViewerFrame::showWhereLeft(int show) {
    const bool maximized = restorePlacement(m_window, m_placementStore);
    ShowWindow(m_window, maximized ? SW_SHOWMAXIMIZED : show);
}

ViewerFrame::~ViewerFrame() {
    if (IsWindow(m_window)) {
        DestroyWindow(m_window);
    }
    DestroyAcceleratorTable(m_accelerators);
    DeleteObject(m_font);
}

void ViewerFrame::create(HINSTANCE instance) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = &ViewerFrame::procedure;
    type.hInstance = instance;
    type.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(128));
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    type.lpszClassName = kClassName;
    RegisterClassExW(&type);  // fails harmlessly when already registered
    m_window =
        CreateWindowExW(WS_EX_ACCEPTFILES, kClassName, wideText(viewer_text::kProgramName).c_str(),
                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 1200, 760, nullptr,
                        nullptr, instance, this);
    m_font = messageFont();
    m_plot = std::make_unique<PlotPane>(instance, m_window);
    m_tabs = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
                             10, 10, m_window, nullptr, instance, nullptr);
    SendMessageW(m_tabs, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    for (const char* name : {viewer_text::kLapsTab, viewer_text::kCompareTab}) {
        std::wstring shown = wideText(name);
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = shown.data();
        TabCtrl_InsertItem(m_tabs, TabCtrl_GetItemCount(m_tabs), &tab);
    }
    std::vector<std::string> headers;
    for (const LapTableColumn& column : lapTableColumns()) {
        headers.push_back(translated(column.header));
    }
    m_lapList = std::make_unique<ReportList>(instance, m_window, kLapListId, headers);
    m_comparePage = std::make_unique<ComparePage>(instance, m_window, kCompareListId, kUseReference,
                                                  kByTime, m_font);
    m_status = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                               0, 0, 0, m_window, nullptr, instance, nullptr);
    SendMessageW(m_lapList->window(), WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SendMessageW(m_status, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    buildMenus();
    // Within a small laptop's screen (1366 x 768) with room for its panels.
    RECT room;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &room, 0);
    SetWindowPos(m_window, nullptr, 0, 0,
                 std::min<LONG>(scaledPixels(m_window, 1200), (room.right - room.left) * 9 / 10),
                 std::min<LONG>(scaledPixels(m_window, 760), (room.bottom - room.top) * 9 / 10),
                 SWP_NOMOVE | SWP_NOZORDER);
    layOut();
    showStatus(translated(viewer_text::kOpenHint));
}

void ViewerFrame::buildMenus() {
    const HMENU bar = CreateMenu();
    const HMENU file = CreatePopupMenu();
    m_recentMenu = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kOpen, menuText(viewer_text::kOpen, L"Ctrl+O").c_str());
    AppendMenuW(file, MF_STRING, kAddToCompare,
                menuText(viewer_text::kAddToCompare, L"Ctrl+Shift+O").c_str());
    AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(m_recentMenu),
                menuText(viewer_text::kOpenRecent).c_str());
    AppendMenuW(file, MF_STRING, kExportImage,
                menuText(viewer_text::kExportImage, L"Ctrl+E").c_str());
    AppendMenuW(file, MF_STRING, kExportLapTable, menuText(viewer_text::kExportLapTable).c_str());
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kClose, menuText(viewer_text::kClose, L"Ctrl+W").c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file),
                menuText(viewer_text::kFileMenu).c_str());
    m_viewMenu = CreatePopupMenu();
    for (std::size_t c = 0; c < kChannelCount; ++c) {
        AppendMenuW(m_viewMenu, MF_STRING | MF_CHECKED, kFirstChannel + static_cast<int>(c),
                    utf8ToUtf16(channelName(static_cast<Channel>(c))).c_str());
    }
    AppendMenuW(m_viewMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m_viewMenu, MF_STRING, kFitScales, menuText(viewer_text::kFitScales).c_str());
    AppendMenuW(m_viewMenu, MF_STRING, kWholeLog,
                menuText(viewer_text::kWholeLog, L"Home").c_str());
    AppendMenuW(m_viewMenu, MF_STRING, kZoomIn, menuText(viewer_text::kZoomIn, L"Ctrl++").c_str());
    AppendMenuW(m_viewMenu, MF_STRING, kZoomOut,
                menuText(viewer_text::kZoomOut, L"Ctrl+-").c_str());
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m_viewMenu),
                menuText(viewer_text::kViewMenu).c_str());
    SetMenu(m_window, bar);
    refillRecentMenu();

    ACCEL keys[] = {
        {FCONTROL | FVIRTKEY, 'O', kOpen},
        {FCONTROL | FSHIFT | FVIRTKEY, 'O', kAddToCompare},
        {FCONTROL | FVIRTKEY, 'E', kExportImage},
        {FCONTROL | FVIRTKEY, 'W', kClose},
        {FCONTROL | FVIRTKEY, 'Q', kClose},
        {FVIRTKEY, VK_HOME, kWholeLog},
        {FCONTROL | FVIRTKEY, VK_OEM_PLUS, kZoomIn},
        {FCONTROL | FVIRTKEY, VK_ADD, kZoomIn},
        {FCONTROL | FVIRTKEY, VK_OEM_MINUS, kZoomOut},
        {FCONTROL | FVIRTKEY, VK_SUBTRACT, kZoomOut},
    };
    m_accelerators = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
}

void ViewerFrame::refillRecentMenu() {
    while (GetMenuItemCount(m_recentMenu) > 0) {
        DeleteMenu(m_recentMenu, 0, MF_BYPOSITION);
    }
    int id = kFirstRecent;
    for (const std::vector<std::string>& entry : m_recent.entries()) {
        std::wstring shown = utf8ToUtf16(entry.front());
        // An ampersand in a folder's name is shown, not taken as a key.
        for (std::size_t at = 0; (at = shown.find(L'&', at)) != std::wstring::npos; at += 2) {
            shown.insert(at, 1, L'&');
        }
        AppendMenuW(m_recentMenu, MF_STRING, id++, shown.c_str());
    }
    if (m_recent.entries().empty()) {
        AppendMenuW(m_recentMenu, MF_STRING | MF_GRAYED, 0, wideText("(none)").c_str());
    }
}

LRESULT CALLBACK ViewerFrame::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* frame = reinterpret_cast<ViewerFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (frame && frame->m_window == window) {
        return frame->handle(message, wParam, lParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ViewerFrame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            layOut();
            return 0;
        case WM_COMMAND:
            command(LOWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->hwndFrom == m_tabs && header->code == TCN_SELCHANGE) {
                showTab(TabCtrl_GetCurSel(m_tabs));
                return 0;
            }
            if (header->idFrom != kLapListId && header->idFrom != kCompareListId) {
                break;
            }
            if (header->code == NM_CUSTOMDRAW) {
                return header->idFrom == kLapListId ? m_lapList->customDraw(lParam)
                                                    : m_comparePage->list().customDraw(lParam);
            }
            listChanged(*header);
            return 0;
        }
        case kSelectionChanged:
            if (std::exchange(m_pendingList, 0) == kLapListId) {
                lapsSelected();
            } else {
                m_comparePage->selectionChanged();
                m_sessions.chosen = m_comparePage->selectedLaps();
                compareChosen();
            }
            return 0;
        case WM_DROPFILES:
            dropped(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_CLOSE:
            savePlacement(m_window, m_placementStore);
            break;
        case WM_DESTROY:
            if (m_quitOnClose) {
                PostQuitMessage(0);
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void ViewerFrame::layOut() {
    if (!m_plot) {
        return;
    }
    SendMessageW(m_status, WM_SIZE, 0, 0);
    RECT client, status;
    GetClientRect(m_window, &client);
    GetWindowRect(m_status, &status);
    const int height = client.bottom - (status.bottom - status.top);
    const int listWidth = std::min<int>(scaledPixels(m_window, kLapListWidth), client.right / 2);
    const int plotWidth = client.right - listWidth;
    MoveWindow(m_plot->window(), 0, 0, plotWidth, height, TRUE);
    MoveWindow(m_tabs, plotWidth, 0, listWidth, height, TRUE);
    RECT page{0, 0, listWidth, height};
    TabCtrl_AdjustRect(m_tabs, FALSE, &page);
    OffsetRect(&page, plotWidth, 0);
    MoveWindow(m_lapList->window(), page.left, page.top, page.right - page.left,
               page.bottom - page.top, TRUE);
    m_comparePage->layOut(page);
    // Over the tab control, which was made before them.
    for (const HWND control : {m_lapList->window(), m_comparePage->list().window()}) {
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void ViewerFrame::showTab(int tab) {
    TabCtrl_SetCurSel(m_tabs, tab);
    ShowWindow(m_lapList->window(), tab == kLapsTab ? SW_SHOW : SW_HIDE);
    m_comparePage->show(tab == kCompareTab);
}

// A row selected or no longer: the changes of one click come one by one, and
// are taken once they have all come.
void ViewerFrame::listChanged(const NMHDR& header) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (header.code == LVN_ITEMCHANGED && (change.uChanged & LVIF_STATE) &&
        ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) && m_pendingList == 0) {
        m_pendingList = static_cast<int>(header.idFrom);
        PostMessageW(m_window, kSelectionChanged, 0, 0);
    }
}

void ViewerFrame::command(int id) {
    PlotController& plot = m_plot->controller();
    if (id >= kFirstChannel && id < kFirstChannel + static_cast<int>(kChannelCount)) {
        const bool shown = !(GetMenuState(m_viewMenu, id, MF_BYCOMMAND) & MF_CHECKED);
        CheckMenuItem(m_viewMenu, id, MF_BYCOMMAND | (shown ? MF_CHECKED : MF_UNCHECKED));
        plot.setChannelShown(static_cast<Channel>(id - kFirstChannel), shown);
        return;
    }
    if (id >= kFirstRecent && id < kFirstRecent + static_cast<int>(m_recent.entries().size())) {
        const std::vector<std::string> files =
            m_recent.entries()[static_cast<std::size_t>(id - kFirstRecent)];
        openFiles(files);
        return;
    }
    switch (id) {
        case kOpen:
            openFiles(ask(FileQuestion::OpenFiles, {}));
            break;
        case kAddToCompare:
            if (const std::vector<std::string> chosen = ask(FileQuestion::OpenFiles, {});
                !chosen.empty()) {
                addToCompare(chosen);
            }
            break;
        case kUseReference:
            if (const std::vector<SessionLap> laps = m_comparePage->selectedLaps();
                laps.size() == 1) {
                m_sessions.reference = laps.front();
                refreshComparison();
                compareChosen();
            }
            break;
        case kByTime:
            compareChosen();
            break;
        case kExportImage:
            exportAsked(FileQuestion::ExportImage, &ViewerFrame::exportImage);
            break;
        case kExportLapTable:
            exportAsked(FileQuestion::ExportLapTable, &ViewerFrame::exportLapTable);
            break;
        case kClose:
            SendMessageW(m_window, WM_CLOSE, 0, 0);
            break;
        case kFitScales: {
            const bool on = !(GetMenuState(m_viewMenu, kFitScales, MF_BYCOMMAND) & MF_CHECKED);
            CheckMenuItem(m_viewMenu, kFitScales, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
            plot.setAutoscale(on);
            break;
        }
        case kWholeLog:
            plot.showWholeLog();
            break;
        case kZoomIn:
            plot.zoomBy(0.8);
            break;
        case kZoomOut:
            plot.zoomBy(1.25);
            break;
        default:
            break;
    }
}

// The file's name proposed beside the log shown.
void ViewerFrame::exportAsked(FileQuestion question,
                              bool (ViewerFrame::*write)(const std::string& path)) {
    const std::vector<std::string> chosen =
        ask(question, m_openedFiles.empty() ? std::string() : m_openedFiles.front());
    if (!chosen.empty()) {
        (this->*write)(chosen.front());
    }
}

std::optional<FilePair> ViewerFrame::askForPair(const std::vector<std::string>& paths) {
    std::string error;
    std::optional<FilePair> pair = completePair(
        paths,
        [this](MissingFile missing, const std::string& partner) -> std::optional<std::string> {
            const std::vector<std::string> chosen =
                ask(missing == MissingFile::Log ? FileQuestion::LogFile : FileQuestion::LapFile,
                    partner);
            return chosen.empty() ? std::nullopt : std::optional(chosen.front());
        },
        error);
    if (!error.empty()) {
        showError(error);
    }
    return pair;
}

bool ViewerFrame::openFiles(const std::vector<std::string>& paths) {
    const std::optional<FilePair> pair = askForPair(paths);
    if (!pair) {
        return false;
    }
    ReadResult<LogSession> loaded = loadSession(*pair);
    if (const auto* problem = std::get_if<ReadError>(&loaded)) {
        showError(problem->message());
        return false;
    }
    m_sessions.show(std::make_shared<const LogSession>(std::move(std::get<LogSession>(loaded))));
    m_plot->controller().setSession(m_sessions.shown());
    refreshComparison();
    m_openedFiles = {wholePath(pair->log)};
    if (pair->lap) {
        m_openedFiles.push_back(wholePath(*pair->lap));
    }
    SetWindowTextW(m_window,
                   wideText(viewer_text::kWindowTitle, {{"log", session()->log.title}}).c_str());
    m_recent.remember(m_openedFiles);
    refillRecentMenu();
    showStatus();
    return true;
}

bool ViewerFrame::exportImage(const std::string& path) {
    if (!session()) {
        showError(translated(viewer_text::kNothingToExport));
        return false;
    }
    RECT shown;
    GetClientRect(m_plot->window(), &shown);
    const ImageSize size{std::max<int>(shown.right, 800), std::max<int>(shown.bottom, 500)};
    const PlotController& plot = m_plot->controller();
    const std::string problem = plot.comparison()
                                    ? exportComparison(*plot.comparison(), plot.view(), size, path)
                                    : exportPlot(*session(), plot.view(), size, path);
    if (!problem.empty()) {
        showError(problem);
        return false;
    }
    showStatus(translated(viewer_text::kSaved, {{"file", path}}));
    return true;
}

bool ViewerFrame::exportLapTable(const std::string& path) {
    if (!session() || session()->figures.empty()) {
        showError(translated(viewer_text::kNoLapTable));
        return false;
    }
    const std::string problem = exportLapFigures(session()->figures, path, m_behind);
    if (!problem.empty()) {
        showError(problem);
        return false;
    }
    showStatus(translated(viewer_text::kSaved, {{"file", path}}));
    return true;
}

bool ViewerFrame::addToCompare(const std::vector<std::string>& paths) {
    if (!session()) {
        return openFiles(paths);
    }
    const std::optional<FilePair> pair = askForPair(paths);
    if (!pair) {
        return false;
    }
    if (const std::string problem = m_sessions.add(*pair); !problem.empty()) {
        showError(problem);
        return false;
    }
    refreshComparison();
    showTab(kCompareTab);
    showStatus(translated(
        viewer_text::kSessionAdded,
        {{"number", std::to_string(m_sessions.count())}, {"file", fileNameOf(pair->log)}}));
    return true;
}

// The Compare tab's laps and the lap table, behind the reference lap.
void ViewerFrame::refreshComparison() {
    const LapComparison comparison = m_sessions.laps();
    m_comparePage->setLaps(comparison, m_sessions.pointers());
    m_behind = behindReference(comparison);
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> best;
    for (const LapFigures& lap : session()->figures) {
        rows.push_back(lapTableCells(lap, m_behind));
        best.push_back(lap.best);
    }
    m_lapList->setRows(rows, best);
}

void ViewerFrame::compareChosen() {
    const std::vector<SessionLap>& chosen = m_sessions.chosen;
    if (chosen.empty() || !session()) {
        return;
    }
    if (chosen.size() > kMostOverlaidLaps) {
        showStatus(translated(viewer_text::kTooManyToCompare,
                              {{"count", std::to_string(kMostOverlaidLaps)}}));
        return;
    }
    m_plot->controller().compareLaps(m_sessions.all(), chosen, m_sessions.reference,
                                     m_comparePage->lineUp());
    showComparisonNotes();
}

// Laps lined up by time, or without samples, are said in the status bar.
void ViewerFrame::showComparisonNotes() {
    const LapComparison* comparison = m_plot->controller().comparison();
    std::string notes;
    for (const std::string& note : comparison ? comparison->notes : std::vector<std::string>()) {
        notes += (notes.empty() ? "" : "   ") + note;
    }
    showStatus(notes);
}

void ViewerFrame::lapsSelected() {
    std::vector<int> laps;
    for (const std::size_t row : m_lapList->selectedRows()) {
        laps.push_back(session()->figures[row].number);
    }
    PlotController& plot = m_plot->controller();
    if (laps.size() == 1) {
        plot.showLap(laps.front());
        showStatus();
    } else if (laps.size() > kMostOverlaidLaps) {
        showStatus(translated(viewer_text::kTooManySelected,
                              {{"count", std::to_string(kMostOverlaidLaps)}}));
    } else if (laps.size() >= 2) {
        plot.compareLaps(laps);
        showComparisonNotes();
    }
}

void ViewerFrame::dropped(HDROP drop) {
    std::vector<std::string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
        files.push_back(utf16ToUtf8(name));
    }
    DragFinish(drop);
    openFiles(files);
}

std::vector<std::string> ViewerFrame::ask(FileQuestion question, const std::string& about) {
    if (m_asker) {
        return m_asker(question, about);
    }
    const std::string folder = folderOf(about);
    switch (question) {
        case FileQuestion::OpenFiles:
            return askForLogFiles(m_window, wideText(viewer_text::kOpenTitle), folder, true);
        case FileQuestion::LapFile:
            return askForLogFiles(
                m_window, wideText(viewer_text::kLapFileTitle, {{"file", fileNameOf(about)}}),
                folder, false);
        case FileQuestion::LogFile:
            return askForLogFiles(
                m_window, wideText(viewer_text::kLogFileTitle, {{"file", fileNameOf(about)}}),
                folder, false);
        case FileQuestion::ExportImage:
            return askSave(m_window, wideText(viewer_text::kExportPlotTitle), about, true);
        case FileQuestion::ExportLapTable:
            return askSave(m_window, wideText(viewer_text::kExportLapTableTitle), about, false);
    }
    return {};
}

void ViewerFrame::showError(const std::string& message) {
    if (m_errorShower) {
        m_errorShower(message);
        return;
    }
    MessageBoxW(m_window, utf8ToUtf16(message).c_str(), wideText(viewer_text::kProgramName).c_str(),
                MB_OK | MB_ICONWARNING);
}

// The files shown and what does not agree between them, then a message.
void ViewerFrame::showStatus(const std::string& message) {
    std::string text;
    for (const std::string& file : m_openedFiles) {
        text += (text.empty() ? "" : "   ") + fileNameOf(file);
    }
    for (const std::string& warning :
         session() ? session()->warnings : std::vector<std::string>()) {
        text += "   " + warning;
    }
    if (session() && message.empty()) {
        text += "   " + lapSummaryText(*session());
    }
    if (!message.empty()) {
        text += (text.empty() ? "" : "   ") + message;
    }
    SendMessageW(m_status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(utf8ToUtf16(text).c_str()));
}

std::wstring ViewerFrame::statusText() const {
    std::wstring text(
        static_cast<std::size_t>(LOWORD(SendMessageW(m_status, SB_GETTEXTLENGTHW, 0, 0))) + 1,
        L'\0');
    SendMessageW(m_status, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.size() - 1);
    return text;
}
