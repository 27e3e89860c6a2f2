#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A table in a list view, a row a line of texts: the lap table and the
// Compare list. Rows marked stand out in bold (the best lap, the reference);
// several rows are selected with Ctrl or Shift.
class ReportList {
public:
    ReportList(HINSTANCE instance, HWND parent, int id, const std::vector<std::string>& headers);
    ~ReportList();
    ReportList(const ReportList&) = delete;
    ReportList& operator=(const ReportList&) = delete;

    HWND window() const { return m_window; }
    // The rows' texts (UTF-8), each as many as the headers; the selection is
    // cleared.
    void setRows(const std::vector<std::vector<std::string>>& rows, const std::vector<bool>& bold);
    // The selected rows, 0 the first, in the table's order.
    std::vector<std::size_t> selectedRows() const;
    // Selects rows as a click would.
    void select(const std::vector<std::size_t>& rows);
    std::size_t rowCount() const { return m_bold.size(); }
    std::string cellText(int row, int column) const;
    // The marked rows in bold: the list view's custom drawing asks row by row.
    LRESULT customDraw(LPARAM lParam) const;

private:
    HWND m_window = nullptr;
    std::size_t m_columns = 0;
    std::vector<bool> m_bold;
    HFONT m_boldFont = nullptr;
};
