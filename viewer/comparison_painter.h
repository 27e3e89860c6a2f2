#pragma once

#include <QColor>
#include <QRectF>
#include <utility>

#include "viewer/lap_comparison.h"
#include "viewer/plot_colours.h"
#include "viewer/plot_view.h"

class QPainter;

// The extent of a comparison's time axis: the reference lap's time.
std::pair<double, double> comparisonRange(const LapComparison& comparison);

// The colour of the overlaid lap at an index (the reference's is the first).
QColor overlaidLapColour(std::size_t index);

// Paints laps compared, in the same manner as the plot of a log: each shown
// channel's pane with every overlaid lap in its colour against the reference
// lap's time, the time variance pane below them, and a legend naming the
// laps, their times and those lined up by time for want of RPM.
void paintComparison(QPainter& painter, const QRectF& area, const LapComparison& comparison,
                     const PlotView& view, const PlotColours& colours = {});
