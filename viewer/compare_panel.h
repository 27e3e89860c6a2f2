#pragma once

#include <QWidget>
#include <vector>

#include "viewer/lap_comparison.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

// The laps of every session open for comparison in one list: session, lap,
// time and distance to the reference lap. Selecting laps (up to eight)
// compares them; a button makes the selected lap the reference; a switch
// draws the laps by time since each began instead of by distance.
class ComparePanel : public QWidget {
    Q_OBJECT

public:
    explicit ComparePanel(QWidget* parent = nullptr);

    void setLaps(const LapComparison& comparison, const std::vector<const LogSession*>& sessions);
    QTableWidget* table() const { return m_table; }
    LineUp lineUp() const;
    // Selects the rows of these laps, as a user would (for tests).
    void select(const std::vector<SessionLap>& laps);

signals:
    void lapsChosen(const std::vector<SessionLap>& laps);
    void referenceChosen(SessionLap lap);
    void lineUpChanged();

private:
    std::vector<SessionLap> selectedLaps() const;

    QTableWidget* m_table;
    QCheckBox* m_byTime;
    QPushButton* m_reference;
    QLabel* m_about;
    std::vector<SessionLap> m_rows;
};
