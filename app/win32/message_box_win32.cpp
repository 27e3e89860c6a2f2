#include "app/win32/message_box_win32.h"

#include <commctrl.h>

#include "app/texts.h"
#include "app/win32/display_text.h"
#include "text/wide_text.h"

namespace {
constexpr wchar_t kCaption[] = L"DATADOCK MANAGER";
constexpr int kViewButtonId = 100;

std::wstring shownText(const std::string& text, const std::string& detail) {
    std::wstring shown = displayText(text);
    if (!detail.empty()) {
        shown += L"\r\n\r\n" + displayText(detail);
    }
    return shown;
}

PCWSTR taskDialogIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return TD_WARNING_ICON;
        case MessageIcon::Error:
            return TD_ERROR_ICON;
        case MessageIcon::Information:
            break;
    }
    return TD_INFORMATION_ICON;
}
}  // namespace

UINT messageBoxIconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
        case MessageIcon::Error:
            return MB_ICONERROR;
    }
    return 0;
}

void showMessageBox(HWND owner, const std::string& text, MessageIcon icon,
                    const std::string& detail) {
    MessageBoxW(owner, shownText(text, detail).c_str(), kCaption,
                MB_OK | messageBoxIconStyle(icon));
}

// The message box offers its own buttons only; the task dialog of Common
// Controls 6 (the programs' manifest asks for it) takes one of ours.
bool showMessageBoxOfferingView(HWND owner, const std::string& text, MessageIcon icon,
                                const std::string& detail) {
    const std::wstring shown = shownText(text, detail);
    const std::wstring viewText = wideText(txt::kViewButton);
    const TASKDIALOG_BUTTON view{kViewButtonId, viewText.c_str()};
    TASKDIALOGCONFIG box{};
    box.cbSize = sizeof box;
    box.hwndParent = owner;
    box.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION;
    box.dwCommonButtons = TDCBF_OK_BUTTON;
    box.pszWindowTitle = kCaption;
    box.pszMainIcon = taskDialogIcon(icon);
    box.pszContent = shown.c_str();
    box.cButtons = 1;
    box.pButtons = &view;
    box.nDefaultButton = IDOK;
    int chosen = IDOK;
    if (FAILED(TaskDialogIndirect(&box, &chosen, nullptr, nullptr))) {
        showMessageBox(owner, text, icon, detail);  // the news matters more than the offer
        return false;
    }
    return chosen == kViewButtonId;
}

bool askYesNo(HWND owner, const std::string& text) {
    return MessageBoxW(owner, displayText(text).c_str(), kCaption,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
