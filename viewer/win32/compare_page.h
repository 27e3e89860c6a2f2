#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "viewer/lap_comparison.h"
#include "viewer/win32/report_list.h"

// The Compare tab: the laps of every session open for comparison in one
// list (session, lap, time, distance to the reference), a button that makes
// the selected lap the reference, and a switch that draws the laps by time
// since each began instead of by distance.
class ComparePage {
public:
    // The controls' ids: the list's notifications and the clicks come to the
    // parent with them.
    ComparePage(HINSTANCE instance, HWND parent, int listId, int referenceId, int byTimeId,
                HFONT font);

    void setLaps(const LapComparison& comparison, const std::vector<const LogSession*>& sessions);
    std::vector<SessionLap> selectedLaps() const;
    LineUp lineUp() const;
    ReportList& list() { return *m_list; }
    // The reference button works only with one lap selected.
    void selectionChanged();
    void show(bool shown);
    void layOut(const RECT& area);

private:
    std::unique_ptr<ReportList> m_list;
    HWND m_reference = nullptr;
    HWND m_byTime = nullptr;
    std::vector<SessionLap> m_rows;
};
