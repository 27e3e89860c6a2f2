#include "viewer/plot_controller.h"

#include <algorithm>
#include <cmath>

#include "viewer/comparison_painter.h"
#include "viewer/plot_painter.h"

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kPanStep = 0.2;
// A shorter drag is a click, not a range.
constexpr double kShortestDragPixels = 4;

}  // namespace

void PlotController::setSession(std::shared_ptr<const LogSession> session) {
    stopComparing();
    m_session = std::move(session);
    m_view.cursorCs.reset();
    m_view.draggedCs.reset();
    showWholeLog();
}

void PlotController::setChannelShown(Channel channel, bool shown) {
    m_view.shown[static_cast<std::size_t>(channel)] = shown;
    changed();
}

void PlotController::setAutoscale(bool on) {
    m_view.autoscale = on;
    changed();
}

void PlotController::showLap(int lapNumber) {
    const LapSpan* span = m_session ? m_session->span(lapNumber) : nullptr;
    if (!span) {
        return;
    }
    stopComparing();
    showRange(*m_session, m_view, span->startCs, span->endCs);
    changed();
}

void PlotController::compareLaps(const std::vector<int>& lapNumbers) {
    if (!m_session) {
        return;
    }
    std::vector<SessionLap> laps;
    for (const int lap : lapNumbers) {
        laps.push_back({0, lap});
    }
    compareLaps({m_session}, laps);
}

void PlotController::compareLaps(std::vector<std::shared_ptr<const LogSession>> sessions,
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

void PlotController::stopComparing() {
    m_comparison.reset();
    m_comparedSessions.clear();
    m_view.comparedCs.reset();
}

void PlotController::showWholeLog() {
    if (m_session) {
        stopComparing();
        resetView(*m_session, m_view);
    }
    changed();
}

void PlotController::zoomBy(double factor) {
    if (m_session) {
        zoomView(*m_session, m_view, factor, (m_view.startCs + m_view.endCs) / 2);
        changed();
    }
}

void PlotController::panByFraction(double fraction) {
    if (m_session) {
        panView(*m_session, m_view, fraction * m_view.lengthCs());
        changed();
    }
}

// The readout reads at the pointer: after a zoom, a pan or Home the time under
// it is another one although the pointer has not moved.
void PlotController::changed() {
    if (m_session && m_pointerX) {
        m_view.cursorCs = timeAtX(*m_pointerX);
    }
    if (m_changed) {
        m_changed();
    }
}

double PlotController::timeAtX(double x) const {
    return layoutPlot(m_area, m_view).timeAt(m_view, x);
}

double PlotController::plotWidth() const {
    return layoutPlot(m_area, m_view).plotArea.width();
}

void PlotController::paint(Canvas& canvas, const PlotColours& colours) const {
    if (m_comparison) {
        paintComparison(canvas, m_area, *m_comparison, m_view, colours);
    } else if (m_session) {
        paintPlot(canvas, m_area, *m_session, m_view, colours);
    }
}

void PlotController::wheel(double steps, bool pan, double x) {
    if (!m_session) {
        return;
    }
    if (pan) {
        panView(*m_session, m_view, -steps * kPanStep * m_view.lengthCs());
    } else {
        zoomView(*m_session, m_view, std::pow(kZoomStep, -steps), timeAtX(x));
    }
    changed();
}

void PlotController::press(Drag drag, double x) {
    if (!m_session) {
        return;
    }
    if (drag == Drag::Pan) {
        m_panFromX = x;
        m_panStartView = m_view;
    } else {
        m_dragStartCs = timeAtX(x);
    }
}

void PlotController::move(double x) {
    if (!m_session) {
        return;
    }
    if (m_panFromX) {
        m_view = m_panStartView;
        panView(*m_session, m_view, -(x - *m_panFromX) / plotWidth() * m_view.lengthCs());
    } else if (m_dragStartCs) {
        m_view.draggedCs = std::make_pair(*m_dragStartCs, timeAtX(x));
    }
    m_pointerX = x;
    changed();
}

void PlotController::release() {
    if (m_dragStartCs && m_view.draggedCs) {
        const auto [a, b] = *m_view.draggedCs;
        if (std::abs(b - a) / m_view.lengthCs() * plotWidth() >= kShortestDragPixels) {
            showRange(*m_session, m_view, std::min(a, b), std::max(a, b));
        }
    }
    m_dragStartCs.reset();
    m_panFromX.reset();
    m_view.draggedCs.reset();
    changed();
}

void PlotController::doubleClick() {
    if (m_session) {
        resetView(*m_session, m_view);
        changed();
    }
}

void PlotController::leave() {
    m_pointerX.reset();
    m_view.cursorCs.reset();
    changed();
}

bool PlotController::key(Key key) {
    switch (key) {
        case Key::ZoomIn:
            zoomBy(1 / kZoomStep);
            return true;
        case Key::ZoomOut:
            zoomBy(kZoomStep);
            return true;
        case Key::PanLeft:
            panByFraction(-kPanStep);
            return true;
        case Key::PanRight:
            panByFraction(kPanStep);
            return true;
        case Key::Whole:
            doubleClick();
            return true;
    }
    return false;
}
