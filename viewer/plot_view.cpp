#include "viewer/plot_view.h"

#include <algorithm>

int PlotView::shownCount() const {
    return static_cast<int>(std::count(shown.begin(), shown.end(), true));
}

ValueRange shownRange(const LogSession& session, const PlotView& view, Channel channel) {
    const auto c = static_cast<std::size_t>(channel);
    if (!view.autoscale) {
        return session.ranges[c];
    }
    const std::vector<std::int32_t>& times = session.log.timesCs;
    const auto first = std::lower_bound(times.begin(), times.end(), view.startCs);
    const auto end = std::upper_bound(first, times.end(), view.endCs);
    return paddedRange(session.log.values[c], static_cast<std::size_t>(first - times.begin()),
                       static_cast<std::size_t>(end - times.begin()));
}

std::pair<double, double> fullRange(const LogSession& session, const PlotView& view) {
    if (view.comparedCs) {
        return *view.comparedCs;
    }
    return {session.startCs(), session.endCs()};
}

void showRange(const LogSession& session, PlotView& view, double startCs, double endCs) {
    const auto [low, high] = fullRange(session, view);
    const double shortest = std::min(4.0 * session.log.intervalCs, high - low);
    double length = std::clamp(endCs - startCs, shortest, high - low);
    double start = std::clamp(startCs, low, high - length);
    view.startCs = start;
    view.endCs = start + length;
}

void zoomView(const LogSession& session, PlotView& view, double factor, double aroundCs) {
    const double start = aroundCs - (aroundCs - view.startCs) * factor;
    const double end = aroundCs + (view.endCs - aroundCs) * factor;
    // Keep the time under the mouse where it is, unless a border stops it.
    showRange(session, view, start, end);
}

void panView(const LogSession& session, PlotView& view, double byCs) {
    showRange(session, view, view.startCs + byCs, view.endCs + byCs);
}

void resetView(const LogSession& session, PlotView& view) {
    const auto [low, high] = fullRange(session, view);
    view.startCs = low;
    view.endCs = high;
}
