#include "viewer/win32/compare_page.h"

#include <algorithm>

#include "text/translation.h"
#include "text/wide_text.h"
#include "viewer/compared_laps.h"
#include "viewer/viewer_texts.h"
#include "viewer/win32/screen_scale.h"

namespace {

HWND button(HINSTANCE instance, HWND parent, int id, const char* english, DWORD style, HFONT font) {
    const HWND made = CreateWindowExW(
        0, L"BUTTON", wideText(english).c_str(), WS_CHILD | WS_TABSTOP | style, 0, 0, 10, 10,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return made;
}

std::vector<std::string> translatedHeaders() {
    std::vector<std::string> headers;
    for (const char* header : kComparedLapHeaders) {
        headers.push_back(translated(header));
    }
    return headers;
}

}  // namespace

ComparePage::ComparePage(HINSTANCE instance, HWND parent, int listId, int referenceId, int byTimeId,
                         HFONT font)
    : m_list(std::make_unique<ReportList>(instance, parent, listId, translatedHeaders())),
      m_reference(
          button(instance, parent, referenceId, viewer_text::kUseAsReference, BS_PUSHBUTTON, font)),
      m_byTime(
          button(instance, parent, byTimeId, viewer_text::kDrawByTime, BS_AUTOCHECKBOX, font)) {
    SendMessageW(m_list->window(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EnableWindow(m_reference, FALSE);
    show(false);
}

void ComparePage::setLaps(const LapComparison& comparison,
                          const std::vector<const LogSession*>& sessions) {
    const std::vector<SessionLap> selected = selectedLaps();
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> reference;
    m_rows.clear();
    for (const ComparedLapRow& row : comparison.laps) {
        rows.push_back(comparedLapCells(row, comparison, sessions));
        reference.push_back(comparison.reference == row.lap);
        m_rows.push_back(row.lap);
    }
    m_list->setRows(rows, reference);
    std::vector<std::size_t> again;
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (std::find(selected.begin(), selected.end(), m_rows[r]) != selected.end()) {
            again.push_back(r);
        }
    }
    m_list->select(again);
}

std::vector<SessionLap> ComparePage::selectedLaps() const {
    std::vector<SessionLap> laps;
    for (const std::size_t row : m_list->selectedRows()) {
        if (row < m_rows.size()) {
            laps.push_back(m_rows[row]);
        }
    }
    return laps;
}

LineUp ComparePage::lineUp() const {
    return SendMessageW(m_byTime, BM_GETCHECK, 0, 0) == BST_CHECKED ? LineUp::ByTime
                                                                    : LineUp::ByDistance;
}

void ComparePage::selectionChanged() {
    EnableWindow(m_reference, selectedLaps().size() == 1);
}

void ComparePage::show(bool shown) {
    for (const HWND control : {m_list->window(), m_reference, m_byTime}) {
        ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
    }
}

void ComparePage::layOut(const RECT& area) {
    const int row = scaledPixels(m_reference, 26), gap = scaledPixels(m_reference, 4);
    const int width = area.right - area.left;
    const int listBottom = area.bottom - 2 * (row + gap);
    MoveWindow(m_list->window(), area.left, area.top, width, listBottom - area.top, TRUE);
    MoveWindow(m_reference, area.left, listBottom + gap, scaledPixels(m_reference, 140), row, TRUE);
    MoveWindow(m_byTime, area.left, listBottom + 2 * gap + row, width, row, TRUE);
}
