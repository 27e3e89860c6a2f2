#include "app/qt/port_combo_box.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

QString shortPortName(const QString& path) {
    const QString deviceFolder = QStringLiteral("/dev/");
    if (path.startsWith(deviceFolder)) {
        return path.mid(deviceFolder.size());
    }
    const qsizetype separator =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(separator + 1);
}

PortComboBox::PortComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { setToolTip(currentText()); });
}

void PortComboBox::fitListToItems() {
    QAbstractItemView* list = view();
    const int margins = 2 * list->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    list->setMinimumWidth(count() == 0 ? 0 : list->sizeHintForColumn(0) + margins);
}

QRect PortComboBox::textField() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                   this);
}

QString PortComboBox::shownText() const {
    return fontMetrics().elidedText(shortPortName(currentText()), Qt::ElideLeft,
                                    textField().width());
}

bool PortComboBox::hasRoomFor(const QString& text) const {
    return fontMetrics().horizontalAdvance(text) <= textField().width();
}

// As QComboBox paints itself, with the short name in place of the path.
void PortComboBox::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    option.currentText = shownText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
