#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "viewer/canvas.h"
#include "viewer/plot_colours.h"
#include "viewer/plot_view.h"

// Where the panes lie in an area: one pane a shown channel, stacked over one
// time axis.
struct PlotLayout {
    Rect plotArea;  // all panes, without the labels and the time axis
    std::vector<std::pair<Channel, Rect>> panes;
    std::optional<Rect> variancePane;  // below the channels' when laps are compared

    std::vector<Rect> allPanes() const;

    double xAt(const PlotView& view, double timeCs) const;
    double timeAt(const PlotView& view, double x) const;
};

PlotLayout layoutPlot(const Rect& area, const PlotView& view, bool withVariance = false);

// Draws the plot of a session into an area: the same picture on the screen,
// in a PNG and in an SVG.
void paintPlot(Canvas& canvas, const Rect& area, const LogSession& session, const PlotView& view,
               const PlotColours& colours = {});

// "RPM", "VOLT(V)", ... as in the log file's header.
const char* channelName(Channel channel);
// The value as the log file writes it: "7.42", "4520", "-" for none.
std::string valueText(Channel channel, float value);
// The value with its unit, as the cursor's readout shows it: "7.42 V".
std::string readoutText(Channel channel, float value);

// Pieces of the plot that the lap comparison's picture shares.
//
// A series of samples drawn in a pane, each pixel column's minimum to maximum.
void drawSeries(Canvas& canvas, const Rect& pane, const PlotView& view,
                std::span<const std::int32_t> timesCs, std::span<const float> values,
                const ValueRange& range, Rgba colour, const PlotColours& colours);
// Where a time's label goes under the axis, kept inside the picture.
Rect timeLabelRect(const PlotLayout& layout, double x);
// The time axis under the panes, with its grid lines through them.
void drawTimeAxis(Canvas& canvas, const PlotLayout& layout, const PlotView& view,
                  const PlotColours& colours);
// A pane's frame, its value grid and labels, and its name beside it.
void drawPaneFrame(Canvas& canvas, const Rect& pane, const std::string& name,
                   const ValueRange& range, const PlotColours& colours);
// Lines of values in their colours, in a box at a pane's top right.
void drawReadout(Canvas& canvas, const Rect& pane, const std::vector<std::string>& lines,
                 const std::vector<Rgba>& lineColours, const PlotColours& colours);
// The cursor's line through the panes and its time under the axis.
void drawCursorLine(Canvas& canvas, const PlotLayout& layout, const PlotView& view,
                    const PlotColours& colours);
// The range being dragged, shaded over the panes.
void drawDragged(Canvas& canvas, const PlotLayout& layout, const PlotView& view,
                 const PlotColours& colours);
