#include "viewer/comparison_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "text/translation.h"
#include "viewer/plot_painter.h"

namespace {

constexpr Rgba kLapColours[kMostOverlaidLaps] = {
    {0x1f, 0x77, 0xb4}, {0xe6, 0x55, 0x0d}, {0x2c, 0xa0, 0x2c}, {0xd6, 0x27, 0x28},
    {0x94, 0x67, 0xbd}, {0x8c, 0x56, 0x4b}, {0xe3, 0x77, 0xc2}, {0x17, 0xbe, 0xcf}};
constexpr Font kLegend{8};
constexpr Font kTitle{9, true};

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

std::string signedSeconds(int hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%c%d.%02d", hundredths < 0 ? '-' : '+',
                  std::abs(hundredths) / 100, std::abs(hundredths) % 100);
    return text;
}

std::string legendLine(const OverlaidLap& lap, const OverlaidLap& reference, LineUp lineUp) {
    std::string line =
        lapName(lap.lap) + "   " + timeText(lap.lapCs) + "   " +
        (&lap == &reference ? translated("reference") : signedSeconds(lap.lapCs - reference.lapCs));
    if (lap.progress.byTime) {
        line += "   " + (lineUp == LineUp::ByDistance ? translated("no RPM: lined up by time")
                                                      : translated("no RPM: variance by time"));
    }
    return line;
}

// Top left in a pane, the laps in their colours.
void drawLegend(Canvas& canvas, const Rect& pane, const LapComparison& comparison,
                const PlotColours& colours) {
    const FontMetrics metrics = canvas.metrics(kLegend);
    std::vector<std::string> lines;
    double width = 0;
    for (const OverlaidLap& lap : comparison.overlaid) {
        lines.push_back(legendLine(lap, comparison.overlaid.front(), comparison.lineUp));
        width = std::max(width, canvas.textWidth(lines.back(), kLegend));
    }
    const Rect box{pane.left() + 4, pane.top() + 4, width + 32,
                   metrics.height * static_cast<double>(lines.size()) + 4};
    canvas.fillRect(box, colours.box);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double baseline =
            box.top() + 2 + metrics.ascent + static_cast<double>(i) * metrics.height;
        const double middle = baseline - metrics.ascent / 2 + 1;
        canvas.drawLine({{box.left() + 4, middle}, {box.left() + 22, middle}},
                        colours.series(overlaidLapColour(i)), 2);
        canvas.drawTextAt({box.left() + 28, baseline}, lines[i], colours.text, kLegend);
    }
}

std::string titleOf(const LapComparison& comparison) {
    std::string title =
        (comparison.lineUp == LineUp::ByTime
             ? translated("Laps by time since each began; variance by distance estimated from RPM")
             : translated("Laps lined up by distance estimated from RPM")) +
        "    ";
    std::vector<std::size_t> named;
    for (const OverlaidLap& lap : comparison.overlaid) {
        if (std::find(named.begin(), named.end(), lap.lap.session) == named.end()) {
            title += (named.empty() ? "" : ", ") +
                     translated("session {number}: {log}",
                                {{"number", std::to_string(lap.lap.session + 1)},
                                 {"log", lap.session->log.title}});
            named.push_back(lap.lap.session);
        }
    }
    return title;
}

void drawVariance(Canvas& canvas, const Rect& pane, const LapComparison& comparison,
                  const PlotView& view, const PlotColours& colours) {
    const ValueRange range = varianceRange(comparison);
    drawPaneFrame(canvas, pane, translated("VARIANCE(s)"), range, colours);
    canvas.pushClip(pane);
    const double zero = pane.bottom() - (0 - range.low) / (range.high - range.low) * pane.height();
    const Line zeroLine{{pane.left(), zero}, {pane.right(), zero}};
    canvas.drawLines(std::span(&zeroLine, 1), colours.zeroLine);
    for (std::size_t i = 0; i < comparison.overlaid.size(); ++i) {
        const VarianceSeries series = varianceSeries(comparison.overlaid[i]);
        drawSeries(canvas, pane, view, series.timesCs, series.seconds, range, overlaidLapColour(i),
                   colours);
    }
    canvas.popClip();
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
void drawCursor(Canvas& canvas, const PlotLayout& layout, const LapComparison& comparison,
                const PlotView& view, const PlotColours& plotColours) {
    const double t = *view.cursorCs;
    drawCursorLine(canvas, layout, view, plotColours);
    std::vector<Rgba> colours;
    for (std::size_t i = 0; i < comparison.overlaid.size(); ++i) {
        colours.push_back(overlaidLapColour(i));
    }
    for (const auto& [channel, pane] : layout.panes) {
        std::vector<std::string> lines;
        for (const OverlaidLap& lap : comparison.overlaid) {
            lines.push_back(readoutText(channel, valueShownAt(comparison, lap, channel, t)));
        }
        drawReadout(canvas, pane, lines, colours, plotColours);
    }
    std::vector<std::string> variances;
    for (const OverlaidLap& lap : comparison.overlaid) {
        variances.push_back(
            signedSeconds(static_cast<int>(std::lround(varianceAt(lap.variance, t)))));
    }
    drawReadout(canvas, *layout.variancePane, variances, colours, plotColours);
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

Rgba overlaidLapColour(std::size_t index) {
    return kLapColours[index % kMostOverlaidLaps];
}

void paintComparison(Canvas& canvas, const Rect& area, const LapComparison& comparison,
                     const PlotView& view, const PlotColours& colours) {
    canvas.fillRect(area, colours.background);
    if (comparison.overlaid.empty()) {
        canvas.drawText(area, Align::Centre, translated("No lap to compare."), colours.text,
                        Font{});
        return;
    }
    const PlotLayout layout = layoutPlot(area, view, true);
    if (!layout.variancePane) {
        return;  // too small to draw
    }
    canvas.drawText(Rect{layout.plotArea.left(), area.top() + 2, area.width(), 14}, Align::Left,
                    titleOf(comparison), colours.text, kTitle);
    drawTimeAxis(canvas, layout, view, colours);
    for (const auto& [channel, pane] : layout.panes) {
        const ValueRange range = channelRange(comparison, channel);
        drawPaneFrame(canvas, pane, channelName(channel), range, colours);
        canvas.pushClip(pane);
        for (std::size_t i = 0; i < comparison.overlaid.size(); ++i) {
            const OverlaidLap& lap = comparison.overlaid[i];
            const auto& values = lap.session->log.channel(channel);
            drawSeries(canvas, pane, view, lap.alignedCs,
                       std::span(values).subspan(lap.first, lap.alignedCs.size()), range,
                       overlaidLapColour(i), colours);
        }
        canvas.popClip();
    }
    drawVariance(canvas, *layout.variancePane, comparison, view, colours);
    drawLegend(canvas, layout.panes.empty() ? *layout.variancePane : layout.panes.front().second,
               comparison, colours);
    if (view.draggedCs) {
        drawDragged(canvas, layout, view, colours);
    }
    if (view.cursorCs) {
        drawCursor(canvas, layout, comparison, view, colours);
    }
}
