#include "viewer/comparison_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "viewer/plot_painter.h"

namespace {

const QColor kLapColours[kMostOverlaidLaps] = {QColor(0x1f, 0x77, 0xb4), QColor(0xe6, 0x55, 0x0d),
                                               QColor(0x2c, 0xa0, 0x2c), QColor(0xd6, 0x27, 0x28),
                                               QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
                                               QColor(0xe3, 0x77, 0xc2), QColor(0x17, 0xbe, 0xcf)};

// Wide enough for every overlaid lap's session.
ValueRange channelRange(const LapComparison& comparison, Channel channel) {
    const auto c = static_cast<std::size_t>(channel);
    ValueRange range = comparison.overlaid.front().session->ranges[c];
    for (const OverlaidLap& lap : comparison.overlaid) {
        range.low = std::min(range.low, lap.session->ranges[c].low);
        range.high = std::max(range.high, lap.session->ranges[c].high);
    }
    return range;
}

// A lap's variance as a series the plot draws: times in hundredths, values
// in seconds.
struct VarianceSeries {
    std::vector<std::int32_t> timesCs;
    std::vector<float> seconds;
};

VarianceSeries varianceSeries(const OverlaidLap& lap) {
    VarianceSeries series;
    series.timesCs.reserve(lap.variance.size());
    series.seconds.reserve(lap.variance.size());
    for (const VariancePoint& point : lap.variance) {
        series.timesCs.push_back(static_cast<std::int32_t>(std::lround(point.referenceCs)));
        series.seconds.push_back(static_cast<float>(point.varianceCs / 100));
    }
    return series;
}

ValueRange varianceRange(const LapComparison& comparison) {
    double low = 0, high = 0;
    for (const OverlaidLap& lap : comparison.overlaid) {
        for (const VariancePoint& point : lap.variance) {
            low = std::min(low, point.varianceCs / 100);
            high = std::max(high, point.varianceCs / 100);
        }
    }
    const double margin = std::max((high - low) * 0.05, 0.05);
    return {static_cast<float>(low - margin), static_cast<float>(high + margin)};
}

QString signedSeconds(int hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%c%d.%02d", hundredths < 0 ? '-' : '+',
                  std::abs(hundredths) / 100, std::abs(hundredths) % 100);
    return QString::fromLatin1(text);
}

QString legendLine(const OverlaidLap& lap, const OverlaidLap& reference, LineUp lineUp) {
    QString line = QStringLiteral("%1   %2   %3")
                       .arg(QString::fromStdString(lapName(lap.lap)),
                            QString::fromStdString(timeText(lap.lapCs)),
                            &lap == &reference ? QStringLiteral("reference")
                                               : signedSeconds(lap.lapCs - reference.lapCs));
    if (lap.progress.byTime) {
        line += lineUp == LineUp::ByDistance ? QStringLiteral("   no RPM: lined up by time")
                                             : QStringLiteral("   no RPM: variance by time");
    }
    return line;
}

// Top left in a pane, the laps in their colours.
void drawLegend(QPainter& painter, const QRectF& pane, const LapComparison& comparison,
                const PlotColours& colours) {
    painter.setFont(QFont(painter.font().family(), 8));
    const QFontMetricsF metrics(painter.font());
    QStringList lines;
    double width = 0;
    for (const OverlaidLap& lap : comparison.overlaid) {
        lines << legendLine(lap, comparison.overlaid.front(), comparison.lineUp);
        width = std::max(width, metrics.horizontalAdvance(lines.back()));
    }
    const QRectF box(pane.left() + 4, pane.top() + 4, width + 32,
                     metrics.height() * static_cast<double>(lines.size()) + 4);
    painter.fillRect(box, colours.box);
    for (int i = 0; i < lines.size(); ++i) {
        const double baseline = box.top() + 2 + metrics.ascent() + i * metrics.height();
        const double middle = baseline - metrics.ascent() / 2 + 1;
        painter.setPen(QPen(colours.series(overlaidLapColour(static_cast<std::size_t>(i))), 2));
        painter.drawLine(QLineF(box.left() + 4, middle, box.left() + 22, middle));
        painter.setPen(colours.text);
        painter.drawText(QPointF(box.left() + 28, baseline), lines[i]);
    }
}

QString titleOf(const LapComparison& comparison) {
    QStringList sessions;
    std::vector<std::size_t> named;
    for (const OverlaidLap& lap : comparison.overlaid) {
        if (std::find(named.begin(), named.end(), lap.lap.session) == named.end()) {
            named.push_back(lap.lap.session);
            sessions << QStringLiteral("session %1: %2")
                            .arg(lap.lap.session + 1)
                            .arg(QString::fromStdString(lap.session->log.title));
        }
    }
    const QString lineUp = comparison.lineUp == LineUp::ByTime
                               ? QStringLiteral(
                                     "Laps by time since each began; variance by "
                                     "distance estimated from RPM    ")
                               : QStringLiteral("Laps lined up by distance estimated from RPM    ");
    return lineUp + sessions.join(QStringLiteral(", "));
}

void drawVariance(QPainter& painter, const QRectF& pane, const LapComparison& comparison,
                  const PlotView& view, const PlotColours& colours) {
    const ValueRange range = varianceRange(comparison);
    drawPaneFrame(painter, pane, QStringLiteral("VARIANCE(s)"), range, colours);
    painter.save();
    painter.setClipRect(pane);
    const double zero = pane.bottom() - (0 - range.low) / (range.high - range.low) * pane.height();
    painter.setPen(QPen(colours.zeroLine, 0));
    painter.drawLine(QLineF(pane.left(), zero, pane.right(), zero));
    for (std::size_t i = 0; i < comparison.overlaid.size(); ++i) {
        const VarianceSeries series = varianceSeries(comparison.overlaid[i]);
        drawSeries(painter, pane, view, series.timesCs, series.seconds, range, overlaidLapColour(i),
                   colours);
    }
    painter.restore();
}

// The value a lap shows at a time of the axis: that of its last sample drawn
// at or before it, none beyond the lap's end.
float valueShownAt(const LapComparison& comparison, const OverlaidLap& lap, Channel channel,
                   double timeCs) {
    const double endCs = comparison.lineUp == LineUp::ByTime
                             ? lap.samplesCs
                             : comparison.overlaid.front().progress.timeCs.back();
    const auto after = std::upper_bound(lap.alignedCs.begin(), lap.alignedCs.end(), timeCs);
    if (after == lap.alignedCs.begin() || timeCs >= endCs) {
        return NAN;
    }
    const auto index = static_cast<std::size_t>(after - lap.alignedCs.begin()) - 1;
    return lap.session->log.channel(channel)[lap.first + index];
}

// The cursor's line, every lap's value in each pane and its variance.
void drawCursor(QPainter& painter, const PlotLayout& layout, const LapComparison& comparison,
                const PlotView& view, const PlotColours& plotColours) {
    const double t = *view.cursorCs;
    drawCursorLine(painter, layout, view, plotColours);
    std::vector<QColor> colours;
    for (std::size_t i = 0; i < comparison.overlaid.size(); ++i) {
        colours.push_back(overlaidLapColour(i));
    }
    for (const auto& [channel, pane] : layout.panes) {
        QStringList lines;
        for (const OverlaidLap& lap : comparison.overlaid) {
            lines << QString::fromStdString(
                readoutText(channel, valueShownAt(comparison, lap, channel, t)));
        }
        drawReadout(painter, pane, lines, colours, plotColours);
    }
    QStringList variances;
    for (const OverlaidLap& lap : comparison.overlaid) {
        variances << signedSeconds(static_cast<int>(std::lround(varianceAt(lap.variance, t))));
    }
    drawReadout(painter, *layout.variancePane, variances, colours, plotColours);
}

}  // namespace

std::pair<double, double> comparisonRange(const LapComparison& comparison) {
    if (comparison.overlaid.empty()) {
        return {0, 1};
    }
    if (comparison.lineUp == LineUp::ByDistance) {
        return {0, std::max(comparison.overlaid.front().progress.timeCs.back(), 1.0)};
    }
    const auto longest = std::max_element(
        comparison.overlaid.begin(), comparison.overlaid.end(),
        [](const OverlaidLap& a, const OverlaidLap& b) { return a.samplesCs < b.samplesCs; });
    return {0, std::max(longest->samplesCs, 1)};
}

QColor overlaidLapColour(std::size_t index) {
    return kLapColours[index % kMostOverlaidLaps];
}

void paintComparison(QPainter& painter, const QRectF& area, const LapComparison& comparison,
                     const PlotView& view, const PlotColours& colours) {
    painter.fillRect(area, colours.background);
    painter.setPen(colours.text);
    if (comparison.overlaid.empty()) {
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("No lap to compare."));
        return;
    }
    const PlotLayout layout = layoutPlot(area, view, true);
    if (!layout.variancePane) {
        return;  // too small to draw
    }
    painter.setFont(QFont(painter.font().family(), 9, QFont::Bold));
    painter.drawText(QRectF(layout.plotArea.left(), area.top() + 2, area.width(), 14),
                     Qt::AlignLeft | Qt::AlignVCenter, titleOf(comparison));
    drawTimeAxis(painter, layout, view, colours);
    for (const auto& [channel, pane] : layout.panes) {
        const ValueRange range = channelRange(comparison, channel);
        drawPaneFrame(painter, pane, QString::fromUtf8(channelName(channel)), range, colours);
        painter.save();
        painter.setClipRect(pane);
        for (std::size_t i = 0; i < comparison.overlaid.size(); ++i) {
            const OverlaidLap& lap = comparison.overlaid[i];
            const auto& values = lap.session->log.channel(channel);
            drawSeries(painter, pane, view, lap.alignedCs,
                       std::span(values).subspan(lap.first, lap.alignedCs.size()), range,
                       overlaidLapColour(i), colours);
        }
        painter.restore();
    }
    drawVariance(painter, *layout.variancePane, comparison, view, colours);
    drawLegend(painter, layout.panes.empty() ? *layout.variancePane : layout.panes.front().second,
               comparison, colours);
    if (view.draggedCs) {
        drawDragged(painter, layout, view, colours);
    }
    if (view.cursorCs) {
        drawCursor(painter, layout, comparison, view, colours);
    }
}
