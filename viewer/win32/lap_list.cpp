#include "viewer/win32/lap_list.h"

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

LapList::LapList(HINSTANCE instance, HWND parent, int id) {
    m_window = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 0, 100, 100, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    ListView_SetExtendedListViewStyle(m_window, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    addColumns();
}

LapList::~LapList() {
    if (m_boldFont) {
        DeleteObject(m_boldFont);
    }
}

void LapList::addColumns() {
    int index = 0;
    for (const LapTableColumn& column : lapTableColumns()) {
        std::wstring header = utf8ToUtf16(column.header);
        LVCOLUMNW description{};
        description.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        description.fmt = LVCFMT_RIGHT;
        description.cx = kColumnWidth;
        description.pszText = header.data();
        ListView_InsertColumn(m_window, index++, &description);
    }
}

void LapList::setLaps(const std::vector<LapFigures>& laps,
                      const std::optional<BehindReference>& reference) {
    m_laps = laps;
    if (!m_boldFont) {
        m_boldFont =
            boldVersionOf(reinterpret_cast<HFONT>(SendMessageW(m_window, WM_GETFONT, 0, 0)));
    }
    SendMessageW(m_window, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(m_window);
    for (std::size_t row = 0; row < laps.size(); ++row) {
        const std::vector<std::string> cells = lapTableCells(laps[row], reference);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            std::wstring text = utf8ToUtf16(cells[column]);
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
    // Sized to the normal font: the best lap's bold row needs a little more.
    const int boldRoom = scaledPixels(m_window, kBoldRoom);
    for (int column = 0; column < static_cast<int>(lapTableColumns().size()); ++column) {
        ListView_SetColumnWidth(m_window, column, LVSCW_AUTOSIZE_USEHEADER);
        ListView_SetColumnWidth(m_window, column,
                                ListView_GetColumnWidth(m_window, column) + boldRoom);
    }
    SendMessageW(m_window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_window, nullptr, TRUE);
}

std::vector<int> LapList::selectedLaps() const {
    std::vector<int> laps;
    for (int row = -1; (row = ListView_GetNextItem(m_window, row, LVNI_SELECTED)) >= 0;) {
        if (static_cast<std::size_t>(row) < m_laps.size()) {
            laps.push_back(m_laps[static_cast<std::size_t>(row)].number);
        }
    }
    return laps;
}

void LapList::select(const std::vector<int>& rows) {
    ListView_SetItemState(m_window, -1, 0, LVIS_SELECTED);
    for (const int row : rows) {
        ListView_SetItemState(m_window, row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
}

std::string LapList::cellText(int row, int column) const {
    wchar_t text[64] = {};
    ListView_GetItemText(m_window, row, column, text, 64);
    return utf16ToUtf8(text);
}

LRESULT LapList::customDraw(LPARAM lParam) const {
    auto* drawing = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    switch (drawing->nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            const std::size_t row = drawing->nmcd.dwItemSpec;
            if (row < m_laps.size() && m_laps[row].best && m_boldFont) {
                SelectObject(drawing->nmcd.hdc, m_boldFont);
                return CDRF_NEWFONT;
            }
            return CDRF_DODEFAULT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}
