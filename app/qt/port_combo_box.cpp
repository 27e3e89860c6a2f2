#include "app/qt/port_combo_box.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>

PortComboBox::PortComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
}

void PortComboBox::fitListToItems() {
    QAbstractItemView* list = view();
    const int margins = 2 * list->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list->setMinimumWidth(count() == 0 ? 0 : list->sizeHintForColumn(0) + margins);
}

// As QComboBox paints itself, with the chosen name elided at its start.
void PortComboBox::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText = fontMetrics().elidedText(option.currentText, Qt::ElideLeft, field.width());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
