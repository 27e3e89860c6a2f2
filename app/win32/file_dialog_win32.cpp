#include "app/win32/file_dialog_win32.h"

#include <commdlg.h>

#include <cwchar>
#include <vector>

#include "app/win32/display_text.h"
#include "text/utf16.h"

namespace {
// Long enough for any path the system allows.
constexpr DWORD kPathCapacity = 32768;
}  // namespace

std::wstring systemFilter(const std::string& filter) {
    std::wstring result = displayText(filter);
    while (!result.empty() && result.back() == L'|') {
        result.pop_back();
    }
    for (wchar_t& c : result) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    return result.empty() ? result : result + std::wstring(2, L'\0');
}

std::optional<std::string> runFileDialog(HWND owner, const FileDialogRequest& request) {
    std::vector<wchar_t> path(kPathCapacity, L'\0');
    const std::wstring initialName = displayText(request.initialName);
    initialName.copy(path.data(), path.size() - 1);
    const std::wstring filter = systemFilter(request.filter);
    const std::wstring extension = displayText(request.defaultExtension);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathCapacity;
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (request.openForReading) {
        // A file to read must be there; finding that out later would only
        // fail the transfer.
        dialog.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    }
    const BOOL chosen =
        request.openForReading ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen) {
        return std::nullopt;
    }
    return utf16ToUtf8(path.data());
}
