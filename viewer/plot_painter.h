#pragma once

#include <QRectF>
#include <vector>

#include "viewer/plot_view.h"

class QPainter;

// Where the panes lie in an area: one pane a shown channel, stacked over one
// time axis.
struct PlotLayout {
    QRectF plotArea;  // all panes, without the labels and the time axis
    std::vector<std::pair<Channel, QRectF>> panes;

    double xAt(const PlotView& view, double timeCs) const;
    double timeAt(const PlotView& view, double x) const;
};

PlotLayout layoutPlot(const QRectF& area, const PlotView& view);

// Paints the plot of a session into an area: the same picture on the screen,
// in a PNG and in an SVG.
void paintPlot(QPainter& painter, const QRectF& area, const LogSession& session,
               const PlotView& view);

// "RPM", "VOLT(V)", ... as in the log file's header.
const char* channelName(Channel channel);
// The value as the log file writes it: "7.42", "4520", "-" for none.
std::string valueText(Channel channel, float value);
// The value with its unit, as the cursor's readout shows it: "7.42 V".
std::string readoutText(Channel channel, float value);
