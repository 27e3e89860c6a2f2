#include "app/win32/win32_main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/main_dialog_template.h"
#include "app/texts.h"
#include "app/win32/dialog_template_win32.h"
#include "app/win32/display_text.h"
#include "app/win32/file_dialog_win32.h"
#include "app/win32/log_viewer_entry_win32.h"
#include "app/win32/message_box_win32.h"
#include "app/win32/text_fit_win32.h"
#include "text/cp932.h"
#include "text/utf16.h"
#include "text/wide_text.h"
#include "viewer/win32/log_files_dialog.h"
#include "viewer/win32/log_viewer_start.h"

namespace {

constexpr int kIconGroupId = 128;
constexpr int kViewLogCommand = 2001;  // the background menu's entry

}  // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE resources)
    : m_resources(resources),
      m_template(mainDialogTemplate()),
      m_icon(LoadIconW(resources, MAKEINTRESOURCEW(kIconGroupId))),
      m_handlers([this](int result) { endNow(result); },
                 [this](const char* what) {
                     MessageBox(translated(kUnexpectedErrorText), MessageIcon::Error, what);
                 }) {}

Win32MainWindow::~Win32MainWindow() {
    if (m_hwnd != nullptr && !m_modal) {
        DestroyWindow(m_hwnd);
    }
    releaseFittedFont();
}

int Win32MainWindow::runModal() {
    m_modal = true;
    const INT_PTR result = DialogBoxIndirectParamW(m_resources, dialogTemplate(), nullptr,
                                                   dialogProc, reinterpret_cast<LPARAM>(this));
    m_hwnd = nullptr;
    return static_cast<int>(result);
}

HWND Win32MainWindow::createModeless() {
    m_modal = false;
    CreateDialogIndirectParamW(m_resources, dialogTemplate(), nullptr, dialogProc,
                               reinterpret_cast<LPARAM>(this));
    return m_hwnd;
}

INT_PTR CALLBACK Win32MainWindow::dialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<Win32MainWindow*>(lParam)->m_hwnd = hwnd;
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self == nullptr ? FALSE : self->handle(message, wParam, lParam);
}

INT_PTR Win32MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            initDialog();
            return TRUE;  // the system gives the focus to the first control
        case WM_COMMAND:
            onCommand(LOWORD(wParam));
            return TRUE;
        case WM_CONTEXTMENU:
            showContextMenu(reinterpret_cast<HWND>(wParam), lParam);
            return TRUE;
        case WM_DROPFILES:
            onDrop(reinterpret_cast<HDROP>(wParam));
            return TRUE;
        case WM_TIMER:
            runHandler([this, id = static_cast<int>(wParam)] { m_logic->OnTimer(id); });
            return TRUE;
        case WM_PAINT:
            return paintIconWhenMinimised();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(m_icon);
        case WM_SETCURSOR:
            if (m_waitCursorDepth > 0) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            notifyDestroyed();
            return TRUE;
        case WM_NCDESTROY:  // the controls are gone
            SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
            m_hwnd = nullptr;
            releaseFittedFont();
            return FALSE;
        default:
            return FALSE;
    }
}

void Win32MainWindow::initDialog() {
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    fitFontToTexts();
    DragAcceptFiles(m_hwnd, TRUE);
    runHandler([this] { m_logic->OnInitDialog(); });
}

// Enter away from a button means OK; while a transfer runs it is a stray key,
// not a wish to leave: only Esc and the close box end the window then (and the
// transfer sees the cancel). A button clicked while a transfer runs reaches
// the logic, which starts no second one.
void Win32MainWindow::onCommand(int id) {
    switch (id) {
        case IDOK:
            if (!m_handlers.busy()) {
                EndDialog(IDOK);
            }
            break;
        case IDCANCEL:
            runHandler([this] { m_logic->OnCancel(); });
            break;
        case ctl::kBtnLogSave:
            runHandler([this] { m_logic->OnLogSave(); });
            break;
        case ctl::kBtnModelSave:
            runHandler([this] { m_logic->OnModelSave(); });
            break;
        case ctl::kBtnUpdate:
            runHandler([this] { m_logic->OnSoftwareUpdate(); });
            break;
        case ctl::kBtnCancel:  // inside the running transfer: only raises the stop request
            runHandler([this] { m_logic->OnStopTransfer(); });
            break;
        case kViewLogCommand:
            viewLog();
            break;
        default:
            break;
    }
}

// Minimised, the window shows its icon centred in the client area.
bool Win32MainWindow::paintIconWhenMinimised() {
    if (!IsIconic(m_hwnd)) {
        return false;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hwnd, &paint);
    SendMessageW(m_hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(m_hwnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_icon);
    EndPaint(m_hwnd, &paint);
    return true;
}

// Every call into the logic goes through here, so that EndDialog waits for
// the outermost handler and nothing escapes into the system's message loop;
// without the logic (not attached yet, or the window gone) nothing runs.
void Win32MainWindow::runHandler(const std::function<void()>& handler) {
    if (!m_destroyed && m_logic != nullptr) {
        m_handlers.run(handler);
    }
}

void Win32MainWindow::EndDialog(int result) {
    m_handlers.end(result);
}

void Win32MainWindow::endNow(int result) {
    m_result = result;
    if (m_modal) {
        ::EndDialog(m_hwnd, result);
    } else {
        DestroyWindow(m_hwnd);
    }
}

void Win32MainWindow::notifyDestroyed() {
    if (m_destroyed) {
        return;
    }
    m_destroyed = true;
    if (m_logic) {
        m_logic->OnDestroy();
    }
    m_waitCursorDepth = 0;
}

// ---- The log viewer ------------------------------------------------------

// For the mouse on the background only: the labels and the frames let it
// through to the window, the buttons, the port list and the progress bar do
// not. From the keyboard (the menu key, Shift+F10) wherever the focus is, at
// the window's corner.
void Win32MainWindow::showContextMenu(HWND under, LPARAM at) {
    const bool fromKeyboard = at == -1;
    if ((under != m_hwnd && !fromKeyboard) || m_handlers.busy()) {
        return;
    }
    POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (fromKeyboard) {
        point = {0, 0};
        ClientToScreen(m_hwnd, &point);
    }
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kViewLogCommand, wideText(txt::kViewLogMenuEntry).c_str());
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, point.x, point.y, 0, m_hwnd, nullptr);
    DestroyMenu(menu);
}

void Win32MainWindow::viewLog() {
    std::vector<std::string> files;
    if (!answersFileDialogs()) {
        files = askForLogFiles(m_hwnd, wideText(txt::kViewLogTitle), {}, true);
    } else if (std::optional<std::string> file =
                   answeredFileDialog({true, "csv", "", translated(txt::kCsvFilter)})) {
        files = {*file};
    }
    if (!files.empty()) {
        openLogViewer(files);
    }
}

void Win32MainWindow::onDrop(HDROP drop) {
    const std::vector<std::string> files = droppedCsvFiles(drop);
    DragFinish(drop);
    if (!m_handlers.busy() && !files.empty()) {
        openLogViewer(files);
    }
}

// A program of its own, which outlives this window.
void Win32MainWindow::openLogViewer(const std::vector<std::string>& files) {
    std::string whyNot;
    if (!startLogViewer(files, whyNot)) {
        MessageBox(translated(txt::kViewerNotStarted), MessageIcon::Exclamation, whyNot);
    }
}

// ---- Controls -------------------------------------------------------------

// Measured with the font the controls really got, which is the template's
// only where that is installed.
void Win32MainWindow::fitFontToTexts() {
    const std::vector<ControlTemplate>& controls = mainDialogControls();
    std::vector<ShownText> texts;
    for (const TextToFit& shown : mainDialogTextsToFit()) {
        texts.push_back({control(shown.id), shown.kind, displayText(shown.text)});
    }
    while (!std::all_of(texts.begin(), texts.end(), showsWhole)) {
        const auto font = reinterpret_cast<HFONT>(sendTo(controls.front().id, WM_GETFONT));
        HFONT smaller = smallerFont(font, kSmallestTextPointSize);
        if (smaller == nullptr) {
            break;
        }
        for (const ControlTemplate& each : controls) {
            sendTo(each.id, WM_SETFONT, reinterpret_cast<WPARAM>(smaller), TRUE);
        }
        releaseFittedFont();
        m_fittedFont = smaller;
    }
}

void Win32MainWindow::releaseFittedFont() {
    if (m_fittedFont != nullptr) {
        DeleteObject(m_fittedFont);
        m_fittedFont = nullptr;
    }
}

LRESULT Win32MainWindow::sendTo(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessageW(m_hwnd, id, message, wParam, lParam);
}

void Win32MainWindow::ShowControl(int id, bool visible) {
    if (HWND item = control(id)) {
        ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
    }
}

void Win32MainWindow::SetControlText(int id, const std::string& text) {
    if (HWND item = control(id)) {
        m_controlTexts[id] = text;
        SetWindowTextW(item, displayText(text).c_str());
    }
}

std::string Win32MainWindow::ControlText(int id) {
    const auto found = m_controlTexts.find(id);
    if (found != m_controlTexts.end()) {
        return found->second;
    }
    wchar_t text[512] = {};
    GetDlgItemTextW(m_hwnd, id, text, static_cast<int>(std::size(text)));
    return utf8ToCp932(utf16ToUtf8(text));
}

bool Win32MainWindow::ComboListOpen() {
    return sendTo(ctl::kComboPort, CB_GETDROPPEDSTATE) != 0;
}

int Win32MainWindow::ComboCount() {
    return static_cast<int>(sendTo(ctl::kComboPort, CB_GETCOUNT));
}

std::string Win32MainWindow::ComboSelectedText() {
    const auto index = sendTo(ctl::kComboPort, CB_GETCURSEL);
    return index >= 0 && index < static_cast<LRESULT>(m_comboItems.size())
               ? m_comboItems[static_cast<std::size_t>(index)]
               : std::string();
}

void Win32MainWindow::ComboReset() {
    sendTo(ctl::kComboPort, CB_RESETCONTENT);
    m_comboItems.clear();
}

// The entries stay sorted as text by their bytes: inserted where they belong
// rather than left to the box's own sorting, which follows the language's
// rules instead.
void Win32MainWindow::ComboAddString(const std::string& text) {
    const std::size_t position = sortedInsertPosition(m_comboItems, text);
    sendTo(ctl::kComboPort, CB_INSERTSTRING, position,
           reinterpret_cast<LPARAM>(displayText(text).c_str()));
    m_comboItems.insert(m_comboItems.begin() + static_cast<long>(position), text);
}

void Win32MainWindow::ComboSelectIndex(int index) {
    sendTo(ctl::kComboPort, CB_SETCURSEL, static_cast<WPARAM>(index));
}

void Win32MainWindow::ComboEnable(bool enabled) {
    EnableWindow(control(ctl::kComboPort), enabled ? TRUE : FALSE);
}

void Win32MainWindow::ProgressSetRange(int low, int high) {
    sendTo(ctl::kProgress, PBM_SETRANGE32, static_cast<WPARAM>(low), high);
}

void Win32MainWindow::ProgressSetPos(int position) {
    sendTo(ctl::kProgress, PBM_SETPOS, static_cast<WPARAM>(position));
}

// ---- Window system --------------------------------------------------------

void Win32MainWindow::UpdateWindow() {
    ::UpdateWindow(m_hwnd);
}

void Win32MainWindow::PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (m_hwnd != nullptr && IsDialogMessageW(m_hwnd, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Win32MainWindow::StartTimer(int id, int intervalMs) {
    if (!m_destroyed) {
        SetTimer(m_hwnd, static_cast<UINT_PTR>(id), static_cast<UINT>(intervalMs), nullptr);
    }
}

void Win32MainWindow::KillTimer(int id) {
    ::KillTimer(m_hwnd, static_cast<UINT_PTR>(id));
}

void Win32MainWindow::MessageBox(const std::string& text, MessageIcon icon,
                                 const std::string& detail,
                                 const std::vector<std::string>& viewable) {
    if (answeredMessageBox({text, icon, detail, viewable})) {
        return;
    }
    if (viewable.empty()) {
        showMessageBox(m_hwnd, text, icon, detail);
    } else if (showMessageBoxOfferingView(m_hwnd, text, icon, detail)) {
        openLogViewer(viewable);
    }
}

bool Win32MainWindow::AskYesNo(const std::string& text) {
    if (const std::optional<bool> answer = answeredQuestion(text)) {
        return *answer;
    }
    return askYesNo(m_hwnd, text);
}

std::optional<std::string> Win32MainWindow::RunFileDialog(const FileDialogRequest& request) {
    if (answersFileDialogs()) {
        return answeredFileDialog(request);
    }
    return runFileDialog(m_hwnd, request);
}

void Win32MainWindow::BeginWaitCursor() {
    ++m_waitCursorDepth;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void Win32MainWindow::EndWaitCursor() {
    if (m_waitCursorDepth > 0 && --m_waitCursorDepth == 0) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
}
