#include "app/win32/log_viewer_entry_win32.h"

#include <shellapi.h>

#include "text/utf16.h"

namespace {
bool isCsvFile(const std::wstring& path) {
    const std::size_t dot = path.find_last_of(L".\\/");
    return dot != std::wstring::npos && path[dot] == L'.' &&
           CompareStringOrdinal(path.c_str() + dot, -1, L".csv", -1, TRUE) == CSTR_EQUAL;
}
}  // namespace

std::vector<std::string> droppedCsvFiles(HDROP drop) {
    std::vector<std::string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        if (!isCsvFile(path)) {
            return {};
        }
        files.push_back(utf16ToUtf8(path));
    }
    return files;
}
