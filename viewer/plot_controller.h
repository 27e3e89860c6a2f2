#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "viewer/canvas.h"
#include "viewer/lap_comparison.h"
#include "viewer/plot_colours.h"
#include "viewer/plot_view.h"

// The stacked panes as the user moves about them, without any toolkit: each
// platform's plot window hands its mouse, wheel and keys to it and draws what
// it paints. Wheel: zoom around the pointer (with Shift: pan); dragging: zoom
// to the dragged range; dragging with the middle button or Ctrl: pan; keys
// + - arrows, Home or double-click: the whole range.
class PlotController {
public:
    enum class Key { ZoomIn, ZoomOut, PanLeft, PanRight, Whole };
    enum class Drag { Range, Pan };

    // Called after every change of what is shown, to draw it again.
    void onChange(std::function<void()> changed) { m_changed = std::move(changed); }
    // The plot's area in the window, in pixels.
    void setArea(const Rect& area) { m_area = area; }
    const Rect& area() const { return m_area; }

    void setSession(std::shared_ptr<const LogSession> session);
    const LogSession* session() const { return m_session.get(); }
    const PlotView& view() const { return m_view; }
    const LapComparison* comparison() const { return m_comparison.get(); }

    void setChannelShown(Channel channel, bool shown);
    void setAutoscale(bool on);
    void showLap(int lapNumber);
    // The session's laps lined up by distance against its fastest lap, with
    // their time variance; nothing changes when none can be drawn.
    void compareLaps(const std::vector<int>& lapNumbers);
    // Laps of several sessions (the shown one among them), kept while shown.
    void compareLaps(std::vector<std::shared_ptr<const LogSession>> sessions,
                     const std::vector<SessionLap>& laps,
                     std::optional<SessionLap> reference = std::nullopt,
                     LineUp lineUp = LineUp::ByDistance);
    void showWholeLog();
    void zoomBy(double factor);
    void panByFraction(double fraction);

    // The mouse, x in the window's pixels; a wheel's steps are notches,
    // positive away from the user.
    void wheel(double steps, bool pan, double x);
    void press(Drag drag, double x);
    void move(double x);
    void release();
    void doubleClick();
    void leave();
    // False for a key the plot does not take.
    bool key(Key key);

    // The plot, or the laps compared; nothing without a session.
    void paint(Canvas& canvas, const PlotColours& colours) const;

private:
    double timeAtX(double x) const;
    double plotWidth() const;
    void changed();
    void stopComparing();

    std::function<void()> m_changed;
    Rect m_area;
    std::shared_ptr<const LogSession> m_session;
    std::unique_ptr<const LapComparison> m_comparison;
    std::vector<std::shared_ptr<const LogSession>> m_comparedSessions;  // what it points into
    PlotView m_view;
    std::optional<double> m_dragStartCs;
    std::optional<double> m_panFromX;
    std::optional<double> m_pointerX;  // where the pointer rests over the plot
    PlotView m_panStartView;
};
