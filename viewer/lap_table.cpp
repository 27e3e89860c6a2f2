#include "viewer/lap_table.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "text/qt_text.h"
#include "viewer/lap_table_model.h"
#include "viewer/plot_colours.h"
#include "viewer/qt_canvas.h"

namespace {

// The best lap's row is tinted gold over the palette's base, its text the
// palette's: readable under a light palette and a dark one.
constexpr Rgba kBestTint{0xff, 0xc1, 0x07};

QTableWidgetItem* cell(const QString& text, bool best) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (best) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

}  // namespace

LapTable::LapTable(QWidget* parent)
    : QWidget(parent), m_table(new QTableWidget(this)), m_summary(new QLabel(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    layout->addWidget(m_summary);
    QStringList headers;
    for (const LapTableColumn& column : lapTableColumns()) {
        headers << qtText(column.header);
    }
    m_table->setColumnCount(static_cast<int>(headers.size()));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setToolTip(
        qtText("Click a lap to zoom to it; select up to eight laps (Ctrl+click) to compare them "
               "with the fastest, lined up by distance estimated from RPM."));
    m_summary->setWordWrap(true);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &LapTable::emitSelection);
}

void LapTable::setSession(const LogSession& session) {
    m_figures = session.figures;
    m_reference.reset();
    fillRows();
    m_summary->setText(QString::fromStdString(lapSummaryText(session)));
}

void LapTable::setReference(const std::optional<BehindReference>& reference) {
    m_reference = reference;
    constexpr int kBehindColumn = 2;
    for (std::size_t row = 0; row < m_figures.size(); ++row) {
        if (QTableWidgetItem* item = m_table->item(static_cast<int>(row), kBehindColumn)) {
            item->setText(
                QString::fromStdString(lapTableCells(m_figures[row], m_reference)[kBehindColumn]));
        }
    }
}

void LapTable::fillRows() {
    const QSignalBlocker blocker(m_table);
    m_table->clearContents();
    m_table->setRowCount(static_cast<int>(m_figures.size()));
    int row = 0;
    for (const LapFigures& lap : m_figures) {
        const std::vector<std::string> cells = lapTableCells(lap, m_reference);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            m_table->setItem(row, static_cast<int>(column),
                             cell(QString::fromStdString(cells[column]), lap.best));
        }
        ++row;
    }
    markBestRows();
}

void LapTable::markBestRows() {
    const QPalette& palette = m_table->palette();
    const QColor background =
        qColorOf(mixed(rgbaOf(palette.color(QPalette::Base)), kBestTint, 0.3));
    for (std::size_t row = 0; row < m_figures.size(); ++row) {
        for (int column = 0; m_figures[row].best && column < m_table->columnCount(); ++column) {
            if (QTableWidgetItem* item = m_table->item(static_cast<int>(row), column)) {
                item->setBackground(background);
                item->setForeground(palette.color(QPalette::Text));
            }
        }
    }
}

void LapTable::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        markBestRows();
    }
}

QString LapTable::summaryText() const {
    return m_summary->text();
}

QString LapTable::cellText(int row, int column) const {
    const QTableWidgetItem* item = m_table->item(row, column);
    return item ? item->text() : QString();
}

void LapTable::emitSelection() {
    QList<int> laps;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows()) {
        laps.append(index.row() + 1);
    }
    std::sort(laps.begin(), laps.end());
    emit lapsSelected(laps);
}
