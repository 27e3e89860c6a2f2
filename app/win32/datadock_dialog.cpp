#include "app/win32/datadock_dialog.h"

#include <commctrl.h>

#include <utility>

#include "app/control_ids.h"
#include "text/cp932.h"
#include "app/datadock_dlg.h"
#include "app/win32/display_text.h"
#include "app/win32/file_dialog_win32.h"
#include "app/win32/message_box_win32.h"
#include "text/utf16.h"

namespace {

constexpr int kMainDialogTemplateId = 102;
constexpr int kIconGroupId = 128;

}  // namespace

DatadockDialog::DatadockDialog(HINSTANCE resources)
    : m_resources(resources),
      m_icon(LoadIconW(resources, MAKEINTRESOURCEW(kIconGroupId))),
      m_handlers([this](int result) { endNow(result); },
                 [this](const char* what) {
                     MessageBox(kUnexpectedErrorText, MessageIcon::Error, what);
                 }) {}

DatadockDialog::~DatadockDialog() {
    if (m_hwnd != nullptr && !m_modal) {
        DestroyWindow(m_hwnd);
    }
}

int DatadockDialog::runModal() {
    m_modal = true;
    const INT_PTR result = DialogBoxParamW(m_resources, MAKEINTRESOURCEW(kMainDialogTemplateId),
                                           nullptr, dialogProc, reinterpret_cast<LPARAM>(this));
    m_hwnd = nullptr;
    return static_cast<int>(result);
}

HWND DatadockDialog::createModeless() {
    m_modal = false;
    CreateDialogParamW(m_resources, MAKEINTRESOURCEW(kMainDialogTemplateId), nullptr, dialogProc,
                       reinterpret_cast<LPARAM>(this));
    return m_hwnd;
}

INT_PTR CALLBACK DatadockDialog::dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        reinterpret_cast<DatadockDialog*>(lParam)->m_hwnd = hwnd;
    }
    auto* self = reinterpret_cast<DatadockDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return self == nullptr ? FALSE : self->handle(message, wParam);
}

INT_PTR DatadockDialog::handle(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_INITDIALOG:
            initDialog();
            return TRUE;  // the system gives the focus to the first control
        case WM_COMMAND:
            onCommand(LOWORD(wParam));
            return TRUE;
        case WM_TIMER:
            runHandler([this, id = static_cast<int>(wParam)] {
                if (m_logic) {
                    m_logic->OnTimer(id);
                }
            });
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
        case WM_NCDESTROY:
            SetWindowLongPtrW(m_hwnd, DWLP_USER, 0);
            m_hwnd = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

void DatadockDialog::initDialog() {
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    runHandler([this] {
        if (m_logic) {
            m_logic->OnInitDialog();
        }
    });
}

// Enter away from a button means OK; while a transfer runs it is a stray key,
// not a wish to leave: only Esc and the close box end the window then (and the
// transfer sees the cancel).
void DatadockDialog::onCommand(int id) {
    switch (id) {
        case IDOK:
            if (!m_handlers.busy()) {
                EndDialog(IDOK);
            }
            break;
        case IDCANCEL:
            runHandler([this] {
                if (m_logic) {
                    m_logic->OnCancel();
                } else {
                    EndDialog(IDCANCEL);
                }
            });
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
        default:
            break;
    }
}

// Minimised, the window shows its icon centred in the client area.
bool DatadockDialog::paintIconWhenMinimised() {
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
// the outermost handler and nothing escapes into the system's message loop.
void DatadockDialog::runHandler(const std::function<void()>& handler) {
    if (!m_destroyed && m_logic != nullptr) {
        m_handlers.run(handler);
    }
}

void DatadockDialog::EndDialog(int result) {
    m_handlers.end(result);
}

void DatadockDialog::endNow(int result) {
    m_result = result;
    if (m_modal) {
        ::EndDialog(m_hwnd, result);
    } else {
        DestroyWindow(m_hwnd);
    }
}

void DatadockDialog::notifyDestroyed() {
    if (m_destroyed) {
        return;
    }
    m_destroyed = true;
    if (m_logic) {
        m_logic->OnDestroy();
    }
    m_waitCursorDepth = 0;
}

// ---- Controls -------------------------------------------------------------

LRESULT DatadockDialog::sendTo(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendDlgItemMessageW(m_hwnd, id, message, wParam, lParam);
}

void DatadockDialog::ShowControl(int id, bool visible) {
    if (HWND item = control(id)) {
        ShowWindow(item, visible ? SW_SHOW : SW_HIDE);
    }
}

void DatadockDialog::SetControlText(int id, const std::string& text) {
    if (HWND item = control(id)) {
        m_controlTexts[id] = text;
        SetWindowTextW(item, displayText(text).c_str());
    }
}

std::string DatadockDialog::ControlText(int id) {
    const auto found = m_controlTexts.find(id);
    if (found != m_controlTexts.end()) {
        return found->second;
    }
    wchar_t text[512] = {};
    GetDlgItemTextW(m_hwnd, id, text, static_cast<int>(std::size(text)));
    return utf8ToCp932(utf16ToUtf8(text));
}

bool DatadockDialog::ComboListOpen() {
    return sendTo(ctl::kComboPort, CB_GETDROPPEDSTATE) != 0;
}

int DatadockDialog::ComboCount() {
    return static_cast<int>(sendTo(ctl::kComboPort, CB_GETCOUNT));
}

std::string DatadockDialog::ComboSelectedText() {
    const auto index = sendTo(ctl::kComboPort, CB_GETCURSEL);
    return index >= 0 && index < static_cast<LRESULT>(m_comboItems.size())
               ? m_comboItems[static_cast<std::size_t>(index)]
               : std::string();
}

void DatadockDialog::ComboReset() {
    sendTo(ctl::kComboPort, CB_RESETCONTENT);
    m_comboItems.clear();
}

// The entries stay sorted as text by their bytes: inserted where they belong
// rather than left to the box's own sorting, which follows the language's
// rules instead.
void DatadockDialog::ComboAddString(const std::string& text) {
    const std::size_t position = sortedInsertPosition(m_comboItems, text);
    sendTo(ctl::kComboPort, CB_INSERTSTRING, position,
           reinterpret_cast<LPARAM>(displayText(text).c_str()));
    m_comboItems.insert(m_comboItems.begin() + static_cast<long>(position), text);
}

void DatadockDialog::ComboSelectIndex(int index) {
    sendTo(ctl::kComboPort, CB_SETCURSEL, static_cast<WPARAM>(index));
}

void DatadockDialog::ComboEnable(bool enabled) {
    EnableWindow(control(ctl::kComboPort), enabled ? TRUE : FALSE);
}

void DatadockDialog::ProgressSetRange(int low, int high) {
    sendTo(ctl::kProgress, PBM_SETRANGE32, static_cast<WPARAM>(low), high);
}

void DatadockDialog::ProgressSetPos(int position) {
    sendTo(ctl::kProgress, PBM_SETPOS, static_cast<WPARAM>(position));
}

// ---- Window system --------------------------------------------------------

void DatadockDialog::UpdateWindow() {
    ::UpdateWindow(m_hwnd);
}

void DatadockDialog::PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (m_hwnd != nullptr && IsDialogMessageW(m_hwnd, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void DatadockDialog::StartTimer(int id, int intervalMs) {
    if (!m_destroyed) {
        SetTimer(m_hwnd, static_cast<UINT_PTR>(id), static_cast<UINT>(intervalMs), nullptr);
    }
}

void DatadockDialog::KillTimer(int id) {
    ::KillTimer(m_hwnd, static_cast<UINT_PTR>(id));
}

void DatadockDialog::MessageBox(const std::string& text, MessageIcon icon,
                                const std::string& detail) {
    const ShownMessageBox shown{text, icon, detail};
    m_shownMessageBoxes.push_back(shown);
    if (m_messageBoxAnswerer) {
        m_messageBoxAnswerer(shown);
        return;
    }
    showMessageBox(m_hwnd, text, icon, detail);
}

bool DatadockDialog::AskYesNo(const std::string& text) {
    if (m_questionAnswerer) {
        return m_questionAnswerer(text);
    }
    return askYesNo(m_hwnd, text);
}

std::optional<std::string> DatadockDialog::RunFileDialog(const FileDialogRequest& request) {
    if (m_fileDialogAnswerer) {
        return m_fileDialogAnswerer(request);
    }
    return runFileDialog(m_hwnd, request);
}

void DatadockDialog::BeginWaitCursor() {
    ++m_waitCursorDepth;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void DatadockDialog::EndWaitCursor() {
    if (m_waitCursorDepth > 0 && --m_waitCursorDepth == 0) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
}
