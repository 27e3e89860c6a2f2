#include "viewer/win32/report_list.h"

#include <commctrl.h>

#include "text/utf16.h"
#include "viewer/win32/screen_scale.h"

namespace {

// Wide enough for "00:21.00" and "Min (V)" in the system's font.
constexpr int kColumnWidth = 64;
constexpr int kBoldRoom = 10;  // pixels at 96 dots an inch

HFONT boldVersionOf(HFONT font) {
    LOGFONTW description{};
    GetObjectW(font ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    description.lfWeight = FW_BOLD;
    return CreateFontIndirectW(&description);
}

}  // namespace

ReportList::ReportList(HINSTANCE instance, HWND parent, int id,
                       const std::vector<std::string>& headers)
    : m_columns(headers.size()) {
    m_window = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 100, 100, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    ListView_SetExtendedListViewStyle(m_window, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    int index = 0;
    for (const std::string& header : headers) {
        std::wstring text = utf8ToUtf16(header);
        LVCOLUMNW description{};
        description.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        description.fmt = LVCFMT_RIGHT;
        description.cx = kColumnWidth;
        description.pszText = text.data();
        ListView_InsertColumn(m_window, index++, &description);
    }
}

ReportList::~ReportList() {
    if (m_boldFont) {
        DeleteObject(m_boldFont);
    }
}

void ReportList::setRows(const std::vector<std::vector<std::string>>& rows,
                         const std::vector<bool>& bold) {
    m_bold = bold;
    m_bold.resize(rows.size());
    if (!m_boldFont) {
        m_boldFont =
            boldVersionOf(reinterpret_cast<HFONT>(SendMessageW(m_window, WM_GETFONT, 0, 0)));
    }
    SendMessageW(m_window, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_window);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (std::size_t column = 0; column < rows[row].size() && column < m_columns; ++column) {
            std::wstring text = utf8ToUtf16(rows[row][column]);
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(row);
            item.iSubItem = static_cast<int>(column);
            item.pszText = text.data();
            if (column == 0) {
                ListView_InsertItem(m_window, &item);
            } else {
                ListView_SetItem(m_window, &item);
            }
        }
    }
    // Sized to the normal font: a bold row needs a little more.
    const int boldRoom = scaledPixels(m_window, kBoldRoom);
    for (int column = 0; column < static_cast<int>(m_columns); ++column) {
        ListView_SetColumnWidth(m_window, column, LVSCW_AUTOSIZE_USEHEADER);
        ListView_SetColumnWidth(m_window, column,
                                ListView_GetColumnWidth(m_window, column) + boldRoom);
    }
    SendMessageW(m_window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_window, nullptr, TRUE);
}

std::vector<std::size_t> ReportList::selectedRows() const {
    std::vector<std::size_t> rows;
    for (int row = -1; (row = ListView_GetNextItem(m_window, row, LVNI_SELECTED)) >= 0;) {
        rows.push_back(static_cast<std::size_t>(row));
    }
    return rows;
}

void ReportList::select(const std::vector<std::size_t>& rows) {
    ListView_SetItemState(m_window, -1, 0, LVIS_SELECTED);
    for (const std::size_t row : rows) {
        ListView_SetItemState(m_window, static_cast<int>(row), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
}

std::string ReportList::cellText(int row, int column) const {
    wchar_t text[256] = {};
    ListView_GetItemText(m_window, row, column, text, 256);
    return utf16ToUtf8(text);
}

LRESULT ReportList::customDraw(LPARAM lParam) const {
    auto* drawing = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    switch (drawing->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            const std::size_t row = drawing->nmcd.dwItemSpec;
            if (row < m_bold.size() && m_bold[row] && m_boldFont) {
                SelectObject(drawing->nmcd.hdc, m_boldFont);
                return CDRF_NEWFONT;
            }
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}
