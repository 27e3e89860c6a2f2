#include "viewer/plot_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "viewer/comparison_painter.h"
#include "viewer/palette_colours.h"
#include "viewer/plot_painter.h"
#include "viewer/qt_canvas.h"

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kPanStep = 0.2;
// A shorter drag is a click, not a range.
constexpr double kShortestDragPixels = 4;

}  // namespace

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotWidget::setSession(std::shared_ptr<const LogSession> session) {
    stopComparing();
    m_session = std::move(session);
    m_view.cursorCs.reset();
    m_view.draggedCs.reset();
    showWholeLog();
}

void PlotWidget::setChannelShown(Channel channel, bool shown) {
    m_view.shown[static_cast<std::size_t>(channel)] = shown;
    changed();
}

void PlotWidget::setAutoscale(bool on) {
    m_view.autoscale = on;
    changed();
}

void PlotWidget::showLap(int lapNumber) {
    const LapSpan* span = m_session ? m_session->span(lapNumber) : nullptr;
    if (!span) {
        return;
    }
    stopComparing();
    showRange(*m_session, m_view, span->startCs, span->endCs);
    changed();
}

void PlotWidget::compareLaps(const QList<int>& lapNumbers) {
    if (!m_session) {
        return;
    }
    std::vector<SessionLap> laps;
    for (const int lap : lapNumbers) {
        laps.push_back({0, lap});
    }
    compareLaps({m_session}, laps);
}

void PlotWidget::compareLaps(std::vector<std::shared_ptr<const LogSession>> sessions,
                             const std::vector<SessionLap>& laps,
                             std::optional<SessionLap> reference, LineUp lineUp) {
    if (!m_session) {
        return;
    }
    std::vector<const LogSession*> compared;
    for (const auto& session : sessions) {
        compared.push_back(session.get());
    }
    auto comparison =
        std::make_unique<LapComparison>(::compareLaps(compared, laps, reference, lineUp));
    if (comparison->overlaid.empty()) {
        return;
    }
    m_view.cursorCs.reset();
    m_view.comparedCs = comparisonRange(*comparison);
    m_comparison = std::move(comparison);
    m_comparedSessions = std::move(sessions);
    resetView(*m_session, m_view);
    changed();
}

void PlotWidget::stopComparing() {
    m_comparison.reset();
    m_comparedSessions.clear();
    m_view.comparedCs.reset();
}

void PlotWidget::showWholeLog() {
    if (m_session) {
        stopComparing();
        resetView(*m_session, m_view);
    }
    changed();
}

void PlotWidget::zoomBy(double factor) {
    if (m_session) {
        zoomView(*m_session, m_view, factor, (m_view.startCs + m_view.endCs) / 2);
        changed();
    }
}

void PlotWidget::panByFraction(double fraction) {
    if (m_session) {
        panView(*m_session, m_view, fraction * m_view.lengthCs());
        changed();
    }
}

// The readout reads at the pointer: after a zoom, a pan or Home the time under
// it is another one although the pointer has not moved.
void PlotWidget::changed() {
    if (m_session && m_pointerX) {
        m_view.cursorCs = timeAtX(*m_pointerX);
    }
    update();
    emit viewChanged();
}

double PlotWidget::timeAtX(double x) const {
    return layoutPlot(rectOf(QRectF(rect())), m_view).timeAt(m_view, x);
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_session) {
        painter.fillRect(rect(), palette().window());
        painter.drawText(rect(), Qt::AlignCenter,
                         tr("Open a log with File > Open, or drop its files here."));
        return;
    }
    QtCanvas canvas(painter);
    if (m_comparison) {
        paintComparison(canvas, rectOf(QRectF(rect())), *m_comparison, m_view,
                        plotColoursOf(palette()));
    } else {
        paintPlot(canvas, rectOf(QRectF(rect())), *m_session, m_view, plotColoursOf(palette()));
    }
}

void PlotWidget::wheelEvent(QWheelEvent* event) {
    if (!m_session) {
        return;
    }
    const double steps = event->angleDelta().y() / 120.0;
    if (event->modifiers() & Qt::ShiftModifier) {
        panView(*m_session, m_view, -steps * kPanStep * m_view.lengthCs());
    } else {
        zoomView(*m_session, m_view, std::pow(kZoomStep, -steps), timeAtX(event->position().x()));
    }
    changed();
    event->accept();
}

void PlotWidget::mousePressEvent(QMouseEvent* event) {
    if (!m_session) {
        return;
    }
    const bool pan =
        event->button() == Qt::MiddleButton ||
        (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier));
    if (pan) {
        m_panFromX = event->position().x();
        m_panStartView = m_view;
    } else if (event->button() == Qt::LeftButton) {
        m_dragStartCs = timeAtX(event->position().x());
    }
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!m_session) {
        return;
    }
    const double x = event->position().x();
    if (m_panFromX) {
        const double width = layoutPlot(rectOf(QRectF(rect())), m_view).plotArea.width();
        m_view = m_panStartView;
        panView(*m_session, m_view, -(x - *m_panFromX) / width * m_view.lengthCs());
    } else if (m_dragStartCs) {
        m_view.draggedCs = std::make_pair(*m_dragStartCs, timeAtX(x));
    }
    m_pointerX = x;
    changed();
}

void PlotWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragStartCs && m_view.draggedCs) {
        const auto [a, b] = *m_view.draggedCs;
        const double width = layoutPlot(rectOf(QRectF(rect())), m_view).plotArea.width();
        if (std::abs(b - a) / m_view.lengthCs() * width >= kShortestDragPixels) {
            showRange(*m_session, m_view, std::min(a, b), std::max(a, b));
        }
    }
    m_dragStartCs.reset();
    m_panFromX.reset();
    m_view.draggedCs.reset();
    changed();
    event->accept();
}

void PlotWidget::mouseDoubleClickEvent(QMouseEvent*) {
    if (m_session) {
        resetView(*m_session, m_view);
        changed();
    }
}

void PlotWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoomBy(1 / kZoomStep);
            break;
        case Qt::Key_Minus:
            zoomBy(kZoomStep);
            break;
        case Qt::Key_Left:
            panByFraction(-kPanStep);
            break;
        case Qt::Key_Right:
            panByFraction(kPanStep);
            break;
        case Qt::Key_Home:
        case Qt::Key_0:
            if (m_session) {
                resetView(*m_session, m_view);
                changed();
            }
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

void PlotWidget::leaveEvent(QEvent*) {
    m_pointerX.reset();
    m_view.cursorCs.reset();
    changed();
}
