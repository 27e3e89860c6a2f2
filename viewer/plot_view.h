#pragma once

#include <array>
#include <optional>
#include <utility>

#include "viewer/log_session.h"

// What the plot shows: a time range (of the recording, or of the reference
// lap when laps are compared), the channels, the cursor and a range being
// dragged.
struct PlotView {
    double startCs = 0;
    double endCs = 1;
    std::array<bool, kChannelCount> shown{true, true, true, true, true, true};
    std::optional<double> cursorCs;
    // The time axis's extent when laps are compared: the reference lap's time.
    std::optional<std::pair<double, double>> comparedCs;
    std::optional<std::pair<double, double>> draggedCs;
    bool autoscale = false;  // each pane's scale fitted to the time shown

    double lengthCs() const { return endCs - startCs; }
    int shownCount() const;
};

// A channel's scale: the whole log's, or with autoscale the samples' shown.
ValueRange shownRange(const LogSession& session, const PlotView& view, Channel channel);

// The extent of the time axis: the whole log, or the compared laps' range.
std::pair<double, double> fullRange(const LogSession& session, const PlotView& view);

// The view narrowed or widened by factor around a time, kept within the full
// range and never narrower than four samples.
void zoomView(const LogSession& session, PlotView& view, double factor, double aroundCs);
// The view moved by a time, kept within the full range.
void panView(const LogSession& session, PlotView& view, double byCs);
void showRange(const LogSession& session, PlotView& view, double startCs, double endCs);
void resetView(const LogSession& session, PlotView& view);
