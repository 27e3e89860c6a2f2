#include "app/qt/text_fit.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "app/qt/port_combo_box.h"

namespace {

constexpr qreal kPointSizeStep = 0.5;

}  // namespace

bool showsWhole(const ShownText& shown) {
    const QWidget* control = shown.control;
    if (const auto* combo = qobject_cast<const PortComboBox*>(control)) {
        return combo->hasRoomFor(shown.text);
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->fontMetrics().horizontalAdvance(shown.text) <= label->contentsRect().width();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->minimumSizeHint().width() <= group->width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        return button->sizeHint().width() <= button->width();
    }
    return true;
}

void shrinkFontToFit(QWidget& window, const std::vector<ShownText>& texts,
                     qreal smallestPointSize) {
    QFont font = window.font();
    const auto allWhole = [&texts] { return std::all_of(texts.begin(), texts.end(), showsWhole); };
    while (!allWhole() && font.pointSizeF() - kPointSizeStep >= smallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - kPointSizeStep);
        window.setFont(font);
        // A control with a style sheet of its own takes no font from its window.
        for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            control->setFont(font);
        }
    }
}
