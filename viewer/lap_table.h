#pragma once

#include <QList>
#include <QWidget>

#include <optional>
#include <vector>

#include "viewer/lap_table_model.h"
#include "viewer/log_session.h"

class QLabel;
class QTableWidget;

// The laps beside the plot: time, distance to the best lap (marked) or to
// the reference lap of laps compared, and per lap the highest RPM, the
// lowest and the average voltage and the highest temperatures; below them
// the lap file's total, best and average.
class LapTable : public QWidget {
    Q_OBJECT

public:
    explicit LapTable(QWidget* parent = nullptr);

    void setSession(const LogSession& session);
    // What the Behind column counts against; none: the session's best lap.
    void setReference(const std::optional<BehindReference>& reference);
    const std::optional<BehindReference>& reference() const { return m_reference; }
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
    std::optional<BehindReference> m_reference;
};
