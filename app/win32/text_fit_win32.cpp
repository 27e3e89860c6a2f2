#include "app/win32/text_fit_win32.h"

#include <algorithm>
#include <cmath>

namespace {

// The classic frame draws a title this far inside each of its sides.
constexpr int kGroupBoxTitleInset = 7;
constexpr double kPointsPerInch = 72;

int textWidth(HWND control, const std::wstring& text) {
    HDC dc = GetDC(control);
    if (dc == nullptr) {
        return 0;
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return size.cx;
}

int textRoom(HWND control, ControlKind kind) {
    RECT client{};
    GetClientRect(control, &client);
    const int line = GetSystemMetrics(SM_CXBORDER);
    switch (kind) {
        case ControlKind::PushButton:
            return client.right - 2 * (GetSystemMetrics(SM_CXEDGE) + line);
        case ControlKind::GroupBox:
            return client.right - 2 * kGroupBoxTitleInset;
        case ControlKind::DropDownList: {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            if (GetComboBoxInfo(control, &info) != FALSE) {
                return info.rcItem.right - info.rcItem.left - 2 * line;  // the focus rectangle
            }
            return client.right;
        }
        case ControlKind::ProgressBar:
        case ControlKind::Label:
            return client.right;
    }
    return client.right;
}

}  // namespace

bool showsWhole(const ShownText& shown) {
    return shown.control == nullptr ||
           textWidth(shown.control, shown.text) <= textRoom(shown.control, shown.kind);
}

HFONT smallerFont(HFONT font, double smallestPointSize) {
    LOGFONTW face{};
    if (font == nullptr || GetObjectW(font, sizeof face, &face) == 0) {
        return nullptr;
    }
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return nullptr;
    }
    const HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, previous);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    // A negative height is the characters' own; a positive one includes the
    // line's leading.
    const int height =
        face.lfHeight < 0 ? -face.lfHeight : metrics.tmHeight - metrics.tmInternalLeading;
    const int smallest = std::max(
        1, static_cast<int>(std::lround(smallestPointSize * pixelsPerInch / kPointsPerInch)));
    if (height - 1 < smallest) {
        return nullptr;
    }
    face.lfHeight = -(height - 1);
    face.lfWidth = 0;
    return CreateFontIndirectW(&face);
}
