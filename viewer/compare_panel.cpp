#include "viewer/compare_panel.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "text/qt_text.h"
#include "viewer/compared_laps.h"
#include "viewer/viewer_texts.h"

namespace {

QTableWidgetItem* cell(const QString& text, bool drawable, bool reference) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A lap the log holds no samples of cannot be drawn.
    item->setFlags(drawable ? Qt::ItemIsSelectable | Qt::ItemIsEnabled : Qt::NoItemFlags);
    if (reference) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

}  // namespace

ComparePanel::ComparePanel(QWidget* parent)
    : QWidget(parent),
      m_table(new QTableWidget(this)),
      m_byTime(new QCheckBox(qtText(viewer_text::kDrawByTime), this)),
      m_reference(new QPushButton(qtText(viewer_text::kUseAsReference), this)),
      m_about(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    layout->addWidget(m_reference);
    layout->addWidget(m_byTime);
    layout->addWidget(m_about);
    m_table->setColumnCount(4);
    QStringList headers;
    for (const char* header : kComparedLapHeaders) {
        headers << qtText(header);
    }
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_about->setWordWrap(true);
    m_about->setTextFormat(Qt::PlainText);
    m_about->setText(
        qtText("Select up to {count} laps (Ctrl+click) to compare them with the reference, "
               "lined up by distance estimated from RPM. File > Add Log to Compare "
               "opens another session.",
               {{"count", std::to_string(kMostOverlaidLaps)}}));
    m_reference->setEnabled(false);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] {
        const std::vector<SessionLap> laps = selectedLaps();
        m_reference->setEnabled(laps.size() == 1);
        emit lapsChosen(laps);
    });
    connect(m_reference, &QPushButton::clicked, this, [this] {
        if (const std::vector<SessionLap> laps = selectedLaps(); laps.size() == 1) {
            emit referenceChosen(laps.front());
        }
    });
    connect(m_byTime, &QCheckBox::toggled, this, &ComparePanel::lineUpChanged);
}

void ComparePanel::setLaps(const LapComparison& comparison,
                           const std::vector<const LogSession*>& sessions) {
    const QSignalBlocker blocker(m_table);
    const std::vector<SessionLap> selected = selectedLaps();
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(comparison.laps.size()));
    m_rows.clear();
    for (const ComparedLapRow& row : comparison.laps) {
        const bool reference = comparison.reference == row.lap;
        const std::vector<std::string> cells = comparedLapCells(row, comparison, sessions);
        const int r = static_cast<int>(m_rows.size());
        for (int column = 0; column < 4; ++column) {
            m_table->setItem(r, column,
                             cell(QString::fromStdString(cells[static_cast<std::size_t>(column)]),
                                  row.hasSamples, reference));
        }
        m_rows.push_back(row.lap);
    }
    select(selected);
}

LineUp ComparePanel::lineUp() const {
    return m_byTime->isChecked() ? LineUp::ByTime : LineUp::ByDistance;
}

void ComparePanel::select(const std::vector<SessionLap>& laps) {
    m_table->clearSelection();
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        if (std::find(laps.begin(), laps.end(), m_rows[r]) != laps.end()) {
            m_table->selectionModel()->select(
                m_table->model()->index(static_cast<int>(r), 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
}

std::vector<SessionLap> ComparePanel::selectedLaps() const {
    std::vector<SessionLap> laps;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows()) {
        laps.push_back(m_rows[static_cast<std::size_t>(index.row())]);
    }
    std::sort(laps.begin(), laps.end(), [](const SessionLap& a, const SessionLap& b) {
        return a.session != b.session ? a.session < b.session : a.lap < b.lap;
    });
    return laps;
}
