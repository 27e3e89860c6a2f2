#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "viewer/lap_table_model.h"

// The lap table beside the plot, in a list view: one row a lap, the best
// lap's row bold, several rows selected with Ctrl or Shift.
class LapList {
public:
    LapList(HINSTANCE instance, HWND parent, int id);
    ~LapList();
    LapList(const LapList&) = delete;
    LapList& operator=(const LapList&) = delete;

    HWND window() const { return m_window; }
    void setLaps(const std::vector<LapFigures>& laps,
                 const std::optional<BehindReference>& reference = {});
    // The lap numbers of the selected rows, in the table's order.
    std::vector<int> selectedLaps() const;
    // Selects rows as a click would: row 0 is the first lap.
    void select(const std::vector<int>& rows);
    std::size_t rowCount() const { return m_laps.size(); }
    std::string cellText(int row, int column) const;
    // The best lap in bold: the list view's custom drawing asks row by row.
    LRESULT customDraw(LPARAM lParam) const;

private:
    void addColumns();

    HWND m_window = nullptr;
    std::vector<LapFigures> m_laps;
    HFONT m_boldFont = nullptr;
};
