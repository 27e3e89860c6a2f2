#include "app/qt/control_builder.h"

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "app/qt/control_text.h"
#include "app/qt/port_combo_box.h"

namespace {

constexpr int kProgressLow = 0;
constexpr int kProgressHigh = 100;

// Blocks about two thirds as wide as the bar is high, with gaps between them,
// as the classic Windows progress bar draws its position.
QString segmentedProgressStyle(int barHeight) {
    const int blockWidth = std::max(2, barHeight * 2 / 3);
    return QStringLiteral(
               "QProgressBar { border: 1px solid palette(mid); background: palette(base); }"
               "QProgressBar::chunk { background-color: palette(highlight); width: %1px;"
               " margin: 1px; }")
        .arg(blockWidth);
}

}  // namespace

ControlBuilder::ControlBuilder(QWidget& window, const DialogUnits& units)
    : m_window(window), m_units(units) {}

QWidget* ControlBuilder::build(const ControlTemplate& control) const {
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::GroupBox:
            widget = makeGroupBox(control);
            break;
        case ControlKind::DropDownList:
            widget = makeDropDownList(control);
            break;
        case ControlKind::ProgressBar:
            widget = makeProgressBar(control);
            break;
        case ControlKind::PushButton:
            widget = makePushButton(control);
            break;
        case ControlKind::Label:
            widget = makeLabel(control);
            break;
    }
    widget->setObjectName(QStringLiteral("control%1").arg(control.id));
    setWidgetText(*widget, displayText(initialText(control)));
    widget->setVisible(control.visible);
    return widget;
}

QWidget* ControlBuilder::makeGroupBox(const ControlTemplate& control) const {
    auto* group = new QGroupBox(&m_window);
    group->setGeometry(m_units.toPixels(control.rect));
    return group;
}

// The closed box is one line high; the template's height is the dropped list's.
QWidget* ControlBuilder::makeDropDownList(const ControlTemplate& control) const {
    auto* combo = new PortComboBox(&m_window);
    const int closedHeight = combo->sizeHint().height();
    QRect rect = m_units.toPixels(control.rect);
    const int droppedHeight = rect.height();
    rect.setHeight(closedHeight);
    combo->setGeometry(rect);
    const int itemHeight = std::max(1, combo->fontMetrics().height());
    combo->setMaxVisibleItems(std::max(1, (droppedHeight - closedHeight) / itemHeight));
    return combo;
}

QWidget* ControlBuilder::makeProgressBar(const ControlTemplate& control) const {
    auto* bar = new QProgressBar(&m_window);
    const QRect rect = m_units.toPixels(control.rect);
    bar->setGeometry(rect);
    bar->setRange(kProgressLow, kProgressHigh);
    bar->setValue(kProgressLow);
    bar->setTextVisible(false);
    bar->setStyleSheet(segmentedProgressStyle(rect.height()));
    return bar;
}

QWidget* ControlBuilder::makePushButton(const ControlTemplate& control) const {
    auto* button = new QPushButton(&m_window);
    button->setGeometry(m_units.toPixels(control.rect));
    if (control.alignment == TextAlignment::Left) {
        button->setStyleSheet(QStringLiteral("QPushButton { text-align: left; }"));
    }
    return button;
}

QWidget* ControlBuilder::makeLabel(const ControlTemplate& control) const {
    auto* label = new QLabel(&m_window);
    label->setGeometry(m_units.toPixels(control.rect));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(control.wordWrap);
    const Qt::Alignment horizontal =
        control.alignment == TextAlignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    return label;
}
