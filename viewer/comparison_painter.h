#pragma once

#include <utility>

#include "viewer/canvas.h"
#include "viewer/lap_comparison.h"
#include "viewer/plot_colours.h"
#include "viewer/plot_view.h"

// The extent of a comparison's time axis: the reference lap's time.
std::pair<double, double> comparisonRange(const LapComparison& comparison);

// The colour of the overlaid lap at an index (the reference's is the first).
Rgba overlaidLapColour(std::size_t index);

// Draws laps compared, in the same manner as the plot of a log: each shown
// channel's pane with every overlaid lap in its colour against the reference
// lap's time, the time variance pane below them, and a legend naming the
// laps, their times and those lined up by time for want of RPM.
void paintComparison(Canvas& canvas, const Rect& area, const LapComparison& comparison,
                     const PlotView& view, const PlotColours& colours = {});
