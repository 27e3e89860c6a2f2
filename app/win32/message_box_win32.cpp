#include "app/win32/message_box_win32.h"

#include "app/win32/display_text.h"

namespace {
constexpr wchar_t kCaption[] = L"DATADOCK MANAGER";
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
    std::wstring shown = displayText(text);
    if (!detail.empty()) {
        shown += L"\r\n\r\n" + displayText(detail);
    }
    MessageBoxW(owner, shown.c_str(), kCaption, MB_OK | messageBoxIconStyle(icon));
}

bool askYesNo(HWND owner, const std::string& text) {
    return MessageBoxW(owner, displayText(text).c_str(), kCaption,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
