#include "viewer/win32/log_files_dialog.h"

#include <commdlg.h>

#include <cwchar>

#include "text/utf16.h"
#include "text/wide_text.h"

namespace {
// Long enough for several files of any length the system allows.
constexpr DWORD kPathsCapacity = 65536;
}  // namespace

std::vector<std::string> askForLogFiles(HWND owner, const std::wstring& title,
                                        const std::string& folder, bool several) {
    std::vector<wchar_t> buffer(kPathsCapacity, L'\0');
    const std::wstring initialFolder = utf8ToUtf16(folder);
    const std::wstring filter = fileFilter(
        {{DD_TEXT("CSV files (*.csv)"), L"*.csv"}, {DD_TEXT("All files (*.*)"), L"*.*"}});
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kPathsCapacity;
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrInitialDir = folder.empty() ? nullptr : initialFolder.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR | (several ? OFN_ALLOWMULTISELECT : 0);
    return GetOpenFileNameW(&dialog) ? chosenFiles(buffer.data()) : std::vector<std::string>();
}

std::wstring fileFilter(std::initializer_list<std::pair<const char*, const wchar_t*>> kinds) {
    std::wstring filter;
    for (const auto& [name, pattern] : kinds) {
        filter += wideText(name) + L'\0' + pattern + L'\0';
    }
    return filter;
}

std::vector<std::string> chosenFiles(const wchar_t* buffer) {
    const std::wstring first = buffer;
    if (first.empty()) {
        return {};
    }
    const wchar_t* name = buffer + first.size() + 1;
    if (*name == L'\0') {
        return {utf16ToUtf8(first)};
    }
    // A drive's root ends in a backslash already.
    const std::wstring folder = first.back() == L'\\' ? first : first + L'\\';
    std::vector<std::string> files;
    for (; *name != L'\0'; name += std::wcslen(name) + 1) {
        files.push_back(utf16ToUtf8(folder + name));
    }
    return files;
}
