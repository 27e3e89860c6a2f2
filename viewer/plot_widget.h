#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "viewer/lap_comparison.h"
#include "viewer/plot_view.h"

// The stacked panes on the screen. Wheel: zoom around the mouse (with Shift:
// pan); dragging: zoom to the dragged range; dragging with the middle button
// or Ctrl: pan; keys + - arrows, Home or double-click: the whole range.
class PlotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlotWidget(QWidget* parent = nullptr);

    void setSession(std::shared_ptr<const LogSession> session);
    const LogSession* session() const { return m_session.get(); }
    const PlotView& view() const { return m_view; }

    void setChannelShown(Channel channel, bool shown);
    void setAutoscale(bool on);
    void showLap(int lapNumber);
    // The session's laps lined up by distance against its fastest lap, with
    // their time variance; none when none can be drawn.
    void compareLaps(const QList<int>& lapNumbers);
    // Laps of several sessions (the shown one among them), kept while shown.
    void compareLaps(std::vector<std::shared_ptr<const LogSession>> sessions,
                     const std::vector<SessionLap>& laps,
                     std::optional<SessionLap> reference = std::nullopt,
                     LineUp lineUp = LineUp::ByDistance);
    const LapComparison* comparison() const { return m_comparison.get(); }
    void showWholeLog();
    void zoomBy(double factor);
    void panByFraction(double fraction);

signals:
    void viewChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    double timeAtX(double x) const;
    void changed();

    void stopComparing();

    std::shared_ptr<const LogSession> m_session;
    std::unique_ptr<const LapComparison> m_comparison;
    std::vector<std::shared_ptr<const LogSession>> m_comparedSessions;  // what it points into
    PlotView m_view;
    std::optional<double> m_dragStartCs;
    std::optional<double> m_panFromX;
    std::optional<double> m_pointerX;  // where the pointer rests over the plot
    PlotView m_panStartView;
};
