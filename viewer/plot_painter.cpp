#include "viewer/plot_painter.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "text/translation.h"
#include "viewer/axis_ticks.h"
#include "viewer/decimation.h"

namespace {

constexpr double kLeftMargin = 78;
constexpr double kRightMargin = 12;
constexpr double kTopMargin = 26;
constexpr double kBottomMargin = 26;
constexpr double kPaneGap = 6;

constexpr Rgba kChannelColours[kChannelCount] = {{0x1f, 0x77, 0xb4}, {0x2c, 0xa0, 0x2c},
                                                 {0xd6, 0x27, 0x28}, {0x94, 0x67, 0xbd},
                                                 {0xff, 0x7f, 0x0e}, {0x8c, 0x56, 0x4b}};
constexpr Font kSmall{7};
constexpr Font kNormal{8};
constexpr Font kBold{8, true};
constexpr Font kTitle{9, true};

// A value grid's label: "0.5", "-50", "5000"; "0", never "-0".
std::string tickText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value == 0 ? 0.0 : value);
    return text;
}

double yAt(const Rect& pane, const ValueRange& range, float value) {
    return pane.bottom() - (value - range.low) / (range.high - range.low) * pane.height();
}

// Laps alternate between two tints; time outside the laps keeps the background.
// Each lap is one band down all the panes, the gaps between the panes filled
// again: a whole log has hundreds of laps, and each fill costs on some canvases.
void drawLapBands(Canvas& canvas, const PlotLayout& layout, const PlotView& view,
                  const LogSession& session, const PlotColours& colours) {
    const Rect& area = layout.plotArea;
    const double top = layout.panes.front().second.top();
    const double bottom = layout.panes.back().second.bottom();
    std::vector<Rect> bands[2];  // by tint, filled at once
    for (const LapSpan& span : session.spans) {
        const double left = std::max(layout.xAt(view, span.startCs), area.left());
        const double right = std::min(layout.xAt(view, span.endCs), area.right());
        if (right <= left) {
            continue;
        }
        bands[span.number % 2].push_back(Rect{left, top, right - left, bottom - top});
        if (right - left > 14) {
            canvas.drawText(Rect{left, area.top() - 15, right - left, 14}, Align::Centre,
                            std::to_string(span.number), colours.text, kNormal);
        }
    }
    if (bands[0].empty() && bands[1].empty()) {
        return;
    }
    for (int tint = 0; tint < 2; ++tint) {
        canvas.fillRects(bands[tint], colours.lapBands[tint]);
    }
    std::vector<Rect> gaps;
    for (std::size_t i = 1; i < layout.panes.size(); ++i) {
        const Rect& above = layout.panes[i - 1].second;
        gaps.push_back(Rect{area.left(), above.bottom(), area.width(),
                            layout.panes[i].second.top() - above.bottom()});
    }
    canvas.fillRects(gaps, colours.background);
}

void drawCursor(Canvas& canvas, const PlotLayout& layout, const PlotView& view,
                const LogSession& session, const PlotColours& colours) {
    const double t = *view.cursorCs;
    drawCursorLine(canvas, layout, view, colours);
    for (const auto& [channel, pane] : layout.panes) {
        const float v = t < session.endCs() ? valueAt(session.log, channel, t) : NAN;
        drawReadout(canvas, pane, {readoutText(channel, v)},
                    {kChannelColours[static_cast<std::size_t>(channel)]}, colours);
    }
}

}  // namespace

void drawSeries(Canvas& canvas, const Rect& pane, const PlotView& view,
                std::span<const std::int32_t> timesCs, std::span<const float> values,
                const ValueRange& range, Rgba colour, const PlotColours& colours) {
    const int width = static_cast<int>(pane.width());
    const std::vector<PixelColumn> columns =
        decimate(timesCs, values, view.startCs, view.endCs, width);
    std::vector<Line> lines;
    lines.reserve(columns.size() * 2);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const PixelColumn& col = columns[i];
        const double x = pane.left() + col.x + 0.5;
        lines.push_back({{x, yAt(pane, range, col.low)}, {x, yAt(pane, range, col.high)}});
        if (i > 0 && joined(columns[i - 1], col)) {
            const double px = pane.left() + columns[i - 1].x + 0.5;
            lines.push_back(
                {{px, yAt(pane, range, columns[i - 1].last)}, {x, yAt(pane, range, col.first)}});
        }
    }
    canvas.drawLines(lines, colours.series(colour));
}

Rect timeLabelRect(const PlotLayout& layout, double x) {
    const Rect& area = layout.plotArea;
    Rect label{x - 45, area.bottom() + 4, 90, 16};
    label.x = std::min(label.right(), area.right() + kRightMargin) - label.w;
    label.x = std::max(label.left(), area.left() - kLeftMargin);
    return label;
}

// The cursor's own time label takes the place of the labels it would cover.
void drawTimeAxis(Canvas& canvas, const PlotLayout& layout, const PlotView& view,
                  const PlotColours& colours) {
    const Rect& area = layout.plotArea;
    const double step = timeStep(view.lengthCs(), std::max(2, static_cast<int>(area.width() / 90)));
    const std::optional<Rect> cursorLabel =
        view.cursorCs ? std::optional(timeLabelRect(layout, layout.xAt(view, *view.cursorCs)))
                      : std::nullopt;
    for (double t = std::ceil(view.startCs / step) * step; t <= view.endCs; t += step) {
        const double x = layout.xAt(view, t);
        for (const Rect& pane : layout.allPanes()) {
            canvas.drawLine({{x, pane.top()}, {x, pane.bottom()}}, colours.grid, 1);
        }
        const Rect label = timeLabelRect(layout, x);
        if (!cursorLabel || !cursorLabel->intersects(label)) {
            canvas.drawText(label, Align::Centre, timeText(std::llround(t)), colours.text, kNormal);
        }
    }
}

void drawPaneFrame(Canvas& canvas, const Rect& pane, const std::string& name,
                   const ValueRange& range, const PlotColours& colours) {
    for (const double v : valueTicks(range.low, range.high, static_cast<int>(pane.height() / 30))) {
        const double y = yAt(pane, range, static_cast<float>(v));
        canvas.drawLine({{pane.left(), y}, {pane.right(), y}}, colours.grid, 1);
        canvas.drawText(Rect{pane.left() - 40, y - 7, 36, 14}, Align::Right, tickText(v),
                        colours.text, kSmall);
    }
    // Upright, its middle 66 pixels left of the pane's.
    canvas.drawTextUpwards(Rect{pane.left() - 66 - 8, pane.top(), 16, pane.height()}, name,
                           colours.text, kBold);
    canvas.strokeRect(pane, colours.frame);
}

void drawReadout(Canvas& canvas, const Rect& pane, const std::vector<std::string>& lines,
                 const std::vector<Rgba>& lineColours, const PlotColours& colours) {
    const FontMetrics metrics = canvas.metrics(kNormal);
    double width = 0;
    for (const std::string& line : lines) {
        width = std::max(width, canvas.textWidth(line, kNormal));
    }
    const Rect box{pane.right() - width - 10, pane.top() + 2, width + 8,
                   metrics.height * static_cast<double>(lines.size()) + 4};
    canvas.fillRect(box, colours.box);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double baseline =
            box.top() + 2 + metrics.ascent + static_cast<double>(i) * metrics.height;
        canvas.drawTextAt({box.left() + 4, baseline}, lines[i], colours.series(lineColours[i]),
                          kNormal);
    }
}

void drawCursorLine(Canvas& canvas, const PlotLayout& layout, const PlotView& view,
                    const PlotColours& colours) {
    const double t = *view.cursorCs;
    const double x = layout.xAt(view, t);
    canvas.drawLine({{x, layout.plotArea.top()}, {x, layout.plotArea.bottom()}}, colours.cursor, 1,
                    true);
    const Rect label = timeLabelRect(layout, x);
    canvas.fillRect(label, colours.background);
    canvas.drawText(label, Align::Centre, timeText(std::llround(t)), colours.text, kBold);
}

void drawDragged(Canvas& canvas, const PlotLayout& layout, const PlotView& view,
                 const PlotColours& colours) {
    const auto [from, to] = *view.draggedCs;
    const double left = layout.xAt(view, std::min(from, to));
    const double right = layout.xAt(view, std::max(from, to));
    canvas.fillRect(Rect{left, layout.plotArea.top(), right - left, layout.plotArea.height()},
                    colours.dragged);
}

const char* channelName(Channel channel) {
    static constexpr const char* kNames[kChannelCount] = {"ST(%)",   "TH(%)",     "RPM",
                                                          "VOLT(V)", "TEMP1(°C)", "TEMP2(°C)"};
    return kNames[static_cast<std::size_t>(channel)];
}

std::string valueText(Channel channel, float value) {
    if (std::isnan(value)) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, channel == Channel::Volt ? "%.2f" : "%.0f",
                  static_cast<double>(value));
    return text;
}

std::string readoutText(Channel channel, float value) {
    static constexpr const char* kUnits[kChannelCount] = {" %", " %", " rpm", " V", " ℃", " ℃"};
    return std::isnan(value)
               ? "-"
               : valueText(channel, value) + kUnits[static_cast<std::size_t>(channel)];
}

double PlotLayout::xAt(const PlotView& view, double timeCs) const {
    return plotArea.left() + (timeCs - view.startCs) / view.lengthCs() * plotArea.width();
}

double PlotLayout::timeAt(const PlotView& view, double x) const {
    return view.startCs + (x - plotArea.left()) / plotArea.width() * view.lengthCs();
}

std::vector<Rect> PlotLayout::allPanes() const {
    std::vector<Rect> all;
    for (const auto& [channel, pane] : panes) {
        all.push_back(pane);
    }
    if (variancePane) {
        all.push_back(*variancePane);
    }
    return all;
}

PlotLayout layoutPlot(const Rect& area, const PlotView& view, bool withVariance) {
    PlotLayout layout;
    layout.plotArea =
        Rect{area.left() + kLeftMargin, area.top() + kTopMargin,
             area.width() - kLeftMargin - kRightMargin, area.height() - kTopMargin - kBottomMargin};
    const int count = view.shownCount() + (withVariance ? 1 : 0);
    if (count == 0 || layout.plotArea.width() < 10 || layout.plotArea.height() < 10) {
        return layout;
    }
    const double height = (layout.plotArea.height() - kPaneGap * (count - 1)) / count;
    double top = layout.plotArea.top();
    for (std::size_t c = 0; c < kChannelCount; ++c) {
        if (view.shown[c]) {
            layout.panes.emplace_back(
                static_cast<Channel>(c),
                Rect{layout.plotArea.left(), top, layout.plotArea.width(), height});
            top += height + kPaneGap;
        }
    }
    if (withVariance) {
        layout.variancePane = Rect{layout.plotArea.left(), top, layout.plotArea.width(), height};
    }
    return layout;
}

void paintPlot(Canvas& canvas, const Rect& area, const LogSession& session, const PlotView& view,
               const PlotColours& colours) {
    canvas.fillRect(area, colours.background);
    const PlotLayout layout = layoutPlot(area, view);
    canvas.drawText(Rect{area.left() + kLeftMargin, area.top() + 2, area.width(), 14}, Align::Left,
                    session.log.title, colours.text, kTitle);
    if (layout.panes.empty()) {
        canvas.drawText(area, Align::Centre, translated("No channel is shown."), colours.text,
                        kTitle);
        return;
    }
    drawLapBands(canvas, layout, view, session, colours);
    drawTimeAxis(canvas, layout, view, colours);
    for (const auto& [channel, pane] : layout.panes) {
        const ValueRange range = shownRange(session, view, channel);
        drawPaneFrame(canvas, pane, channelName(channel), range, colours);
        canvas.pushClip(pane);
        const auto c = static_cast<std::size_t>(channel);
        drawSeries(canvas, pane, view, session.log.timesCs, session.log.values[c], range,
                   kChannelColours[c], colours);
        canvas.popClip();
    }
    if (view.draggedCs) {
        drawDragged(canvas, layout, view, colours);
    }
    if (view.cursorCs) {
        drawCursor(canvas, layout, view, session, colours);
    }
}
