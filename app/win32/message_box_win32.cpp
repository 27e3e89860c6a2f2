#include "app/win32/message_box_win32.h"

#include "app/win32/display_text.h"

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
    const std::wstring caption = L"DATADOCK MANAGER";
    MessageBoxW(owner, shown.c_str(), caption.c_str(), MB_OK | messageBoxIconStyle(icon));
}
