#include "viewer/plot_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "text/qt_text.h"
#include "viewer/palette_colours.h"
#include "viewer/qt_canvas.h"
#include "viewer/viewer_texts.h"

namespace {

std::optional<PlotController::Key> plotKeyOf(int key) {
    switch (key) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return PlotController::Key::ZoomIn;
        case Qt::Key_Minus:
            return PlotController::Key::ZoomOut;
        case Qt::Key_Left:
            return PlotController::Key::PanLeft;
        case Qt::Key_Right:
            return PlotController::Key::PanRight;
        case Qt::Key_Home:
        case Qt::Key_0:
            return PlotController::Key::Whole;
        default:
            return std::nullopt;
    }
}

}  // namespace

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_controller.onChange([this] {
        update();
        emit viewChanged();
    });
}

PlotController& PlotWidget::controller() {
    m_controller.setArea(rectOf(QRectF(rect())));
    return m_controller;
}

void PlotWidget::setSession(std::shared_ptr<const LogSession> session) {
    controller().setSession(std::move(session));
}

void PlotWidget::setChannelShown(Channel channel, bool shown) {
    controller().setChannelShown(channel, shown);
}

void PlotWidget::setAutoscale(bool on) {
    controller().setAutoscale(on);
}

void PlotWidget::showLap(int lapNumber) {
    controller().showLap(lapNumber);
}

void PlotWidget::compareLaps(const QList<int>& lapNumbers) {
    controller().compareLaps(std::vector<int>(lapNumbers.begin(), lapNumbers.end()));
}

void PlotWidget::compareLaps(std::vector<std::shared_ptr<const LogSession>> sessions,
                             const std::vector<SessionLap>& laps,
                             std::optional<SessionLap> reference, LineUp lineUp) {
    controller().compareLaps(std::move(sessions), laps, reference, lineUp);
}

void PlotWidget::showWholeLog() {
    controller().showWholeLog();
}

void PlotWidget::zoomBy(double factor) {
    controller().zoomBy(factor);
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!session()) {
        painter.fillRect(rect(), palette().window());
        painter.drawText(rect(), Qt::AlignCenter, qtText(viewer_text::kEmptyPlot));
        return;
    }
    QtCanvas canvas(painter);
    controller().paint(canvas, plotColoursOf(palette()));
}

void PlotWidget::wheelEvent(QWheelEvent* event) {
    controller().wheel(event->angleDelta().y() / 120.0,
                       (event->modifiers() & Qt::ShiftModifier) != 0, event->position().x());
    event->accept();
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
    const bool pan =
        event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier));
    if (pan) {
        controller().press(PlotController::Drag::Pan, event->position().x());
    } else if (event->button() == Qt::LeftButton) {
        controller().press(PlotController::Drag::Range, event->position().x());
    }
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    controller().move(event->position().x());
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    controller().release();
    event->accept();
}

void PlotWidget::mouseDoubleClickEvent(QMouseEvent*) {
    controller().doubleClick();
}

void PlotWidget::keyPressEvent(QKeyEvent* event) {
    const std::optional<PlotController::Key> key = plotKeyOf(event->key());
    if (!key || !controller().key(*key)) {
        QWidget::keyPressEvent(event);
    }
}

void PlotWidget::leaveEvent(QEvent*) {
    controller().leave();
}
