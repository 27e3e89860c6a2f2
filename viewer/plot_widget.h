#pragma once

#include <QList>
#include <QWidget>
#include <memory>
#include <optional>

#include "viewer/plot_controller.h"

// The stacked panes on the screen: the plot controller's mouse, wheel and
// keys from Qt's events, its picture on a QPainter.
class PlotWidget : public QWidget {
    Q_OBJECT

public:
    explicit PlotWidget(QWidget* parent = nullptr);

    void setSession(std::shared_ptr<const LogSession> session);
    const LogSession* session() const { return m_controller.session(); }
    const PlotView& view() const { return m_controller.view(); }

    void setChannelShown(Channel channel, bool shown);
    void setAutoscale(bool on);
    void showLap(int lapNumber);
    void compareLaps(const QList<int>& lapNumbers);
    void compareLaps(std::vector<std::shared_ptr<const LogSession>> sessions,
                     const std::vector<SessionLap>& laps,
                     std::optional<SessionLap> reference = std::nullopt,
                     LineUp lineUp = LineUp::ByDistance);
    const LapComparison* comparison() const { return m_controller.comparison(); }
    void showWholeLog();
    void zoomBy(double factor);

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
    // The controller, told the widget's present size.
    PlotController& controller();

    PlotController m_controller;
};
