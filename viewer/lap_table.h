#pragma once

#include <QList>
#include <QWidget>

#include <vector>

#include "viewer/log_session.h"

class QLabel;
class QTableWidget;

// The laps beside the plot: time, distance to the best lap (marked), and per
// lap the highest RPM, the lowest and the average voltage and the highest
// temperatures; below them the lap file's total, best and average.
class LapTable : public QWidget {
    Q_OBJECT

public:
    explicit LapTable(QWidget* parent = nullptr);

    void setSession(const LogSession& session);
    QTableWidget* table() const { return m_table; }
    QString summaryText() const;
    // The text of a cell as shown.
    QString cellText(int row, int column) const;

signals:
    // The lap numbers selected, in the table's order.
    void lapsSelected(const QList<int>& lapNumbers);

protected:
    void changeEvent(QEvent* event) override;

private:
    void emitSelection();
    void fillRows();
    void markBestRows();

    QTableWidget* m_table;
    QLabel* m_summary;
    std::vector<LapFigures> m_figures;
};
