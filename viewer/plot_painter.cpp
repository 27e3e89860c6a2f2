#include "viewer/plot_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <optional>

#include "viewer/axis_ticks.h"
#include "viewer/decimation.h"

namespace {

constexpr double kLeftMargin = 78;
constexpr double kRightMargin = 12;
constexpr double kTopMargin = 26;
constexpr double kBottomMargin = 26;
constexpr double kPaneGap = 6;

const QColor kChannelColours[kChannelCount] = {QColor(0x1f, 0x77, 0xb4), QColor(0x2c, 0xa0, 0x2c),
                                               QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd),
                                               QColor(0xff, 0x7f, 0x0e), QColor(0x8c, 0x56, 0x4b)};

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

double yAt(const QRectF& pane, const ValueRange& range, float value) {
    return pane.bottom() - (value - range.low) / (range.high - range.low) * pane.height();
}

// Laps alternate between two tints; time outside the laps keeps the background.
void drawLapBands(QPainter& painter, const PlotLayout& layout, const PlotView& view,
                  const LogSession& session, const PlotColours& colours) {
    const QRectF& area = layout.plotArea;
    painter.setFont(QFont(painter.font().family(), 8));
    for (const LapSpan& span : session.spans) {
        const double left = std::max(layout.xAt(view, span.startCs), area.left());
        const double right = std::min(layout.xAt(view, span.endCs), area.right());
        if (right <= left) {
            continue;
        }
        for (const auto& [channel, pane] : layout.panes) {
            painter.fillRect(QRectF(left, pane.top(), right - left, pane.height()),
                             colours.lapBands[span.number % 2]);
        }
        if (right - left > 14) {
            painter.setPen(colours.text);
            painter.drawText(QRectF(left, area.top() - 15, right - left, 14), Qt::AlignCenter,
                             QString::number(span.number));
        }
    }
}

void drawCursor(QPainter& painter, const PlotLayout& layout, const PlotView& view,
                const LogSession& session, const PlotColours& colours) {
    const double t = *view.cursorCs;
    drawCursorLine(painter, layout, view, colours);
    for (const auto& [channel, pane] : layout.panes) {
        const float v = t < session.endCs() ? valueAt(session.log, channel, t) : NAN;
        drawReadout(painter, pane, {qs(readoutText(channel, v))},
                    {kChannelColours[static_cast<std::size_t>(channel)]}, colours);
    }
}

}  // namespace

void drawSeries(QPainter& painter, const QRectF& pane, const PlotView& view,
                std::span<const std::int32_t> timesCs, std::span<const float> values,
                const ValueRange& range, const QColor& colour, const PlotColours& colours) {
    const int width = static_cast<int>(pane.width());
    const std::vector<PixelColumn> columns =
        decimate(timesCs, values, view.startCs, view.endCs, width);
    std::vector<QLineF> lines;
    lines.reserve(columns.size() * 2);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const PixelColumn& col = columns[i];
        const double x = pane.left() + col.x + 0.5;
        lines.emplace_back(x, yAt(pane, range, col.low), x, yAt(pane, range, col.high));
        if (i > 0 && joined(columns[i - 1], col)) {
            const double px = pane.left() + columns[i - 1].x + 0.5;
            lines.emplace_back(px, yAt(pane, range, columns[i - 1].last), x,
                               yAt(pane, range, col.first));
        }
    }
    // A cosmetic pen one pixel wide takes the painter's fast path for lines.
    painter.setPen(QPen(colours.series(colour), 0));
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

QRectF timeLabelRect(const PlotLayout& layout, double x) {
    const QRectF& area = layout.plotArea;
    QRectF label(x - 45, area.bottom() + 4, 90, 16);
    label.moveRight(std::min(label.right(), area.right() + kRightMargin));
    label.moveLeft(std::max(label.left(), area.left() - kLeftMargin));
    return label;
}

// The cursor's own time label takes the place of the labels it would cover.
void drawTimeAxis(QPainter& painter, const PlotLayout& layout, const PlotView& view,
                  const PlotColours& colours) {
    const QRectF& area = layout.plotArea;
    const double step = timeStep(view.lengthCs(), std::max(2, static_cast<int>(area.width() / 90)));
    const std::optional<QRectF> cursorLabel =
        view.cursorCs ? std::optional(timeLabelRect(layout, layout.xAt(view, *view.cursorCs)))
                      : std::nullopt;
    painter.setFont(QFont(painter.font().family(), 8));
    for (double t = std::ceil(view.startCs / step) * step; t <= view.endCs; t += step) {
        const double x = layout.xAt(view, t);
        painter.setPen(colours.grid);
        for (const QRectF& pane : layout.allPanes()) {
            painter.drawLine(QLineF(x, pane.top(), x, pane.bottom()));
        }
        const QRectF label = timeLabelRect(layout, x);
        if (!cursorLabel || !cursorLabel->intersects(label)) {
            painter.setPen(colours.text);
            painter.drawText(label, Qt::AlignCenter, qs(timeText(std::llround(t))));
        }
    }
}

void drawPaneFrame(QPainter& painter, const QRectF& pane, const QString& name,
                   const ValueRange& range, const PlotColours& colours) {
    painter.setFont(QFont(painter.font().family(), 7));
    for (const double v : valueTicks(range.low, range.high, static_cast<int>(pane.height() / 30))) {
        const double y = yAt(pane, range, static_cast<float>(v));
        painter.setPen(colours.grid);
        painter.drawLine(QLineF(pane.left(), y, pane.right(), y));
        painter.setPen(colours.text);
        painter.drawText(QRectF(pane.left() - 40, y - 7, 36, 14), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(v, 'g', 6));
    }
    painter.setPen(colours.text);
    painter.setFont(QFont(painter.font().family(), 8, QFont::Bold));
    painter.save();
    painter.translate(pane.left() - 66, pane.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-pane.height() / 2, -8, pane.height(), 16), Qt::AlignCenter, name);
    painter.restore();
    painter.setPen(colours.frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(pane);
}

void drawReadout(QPainter& painter, const QRectF& pane, const QStringList& lines,
                 const std::vector<QColor>& lineColours, const PlotColours& colours) {
    painter.setFont(QFont(painter.font().family(), 8));
    const QFontMetricsF metrics(painter.font());
    double width = 0;
    for (const QString& line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    const QRectF box(pane.right() - width - 10, pane.top() + 2, width + 8,
                     metrics.height() * lines.size() + 4);
    painter.fillRect(box, colours.box);
    for (int i = 0; i < lines.size(); ++i) {
        painter.setPen(colours.series(lineColours[static_cast<std::size_t>(i)]));
        painter.drawText(
            QPointF(box.left() + 4, box.top() + 2 + metrics.ascent() + i * metrics.height()),
            lines[i]);
    }
}

void drawCursorLine(QPainter& painter, const PlotLayout& layout, const PlotView& view,
                    const PlotColours& colours) {
    const double t = *view.cursorCs;
    const double x = layout.xAt(view, t);
    painter.setPen(QPen(colours.cursor, 1, Qt::DashLine));
    painter.drawLine(QLineF(x, layout.plotArea.top(), x, layout.plotArea.bottom()));
    painter.setPen(colours.text);
    painter.setFont(QFont(painter.font().family(), 8, QFont::Bold));
    const QRectF label = timeLabelRect(layout, x);
    painter.fillRect(label, colours.background);
    painter.drawText(label, Qt::AlignCenter, qs(timeText(std::llround(t))));
}

void drawDragged(QPainter& painter, const PlotLayout& layout, const PlotView& view,
                 const PlotColours& colours) {
    const auto [from, to] = *view.draggedCs;
    const double left = layout.xAt(view, std::min(from, to));
    const double right = layout.xAt(view, std::max(from, to));
    painter.fillRect(QRectF(left, layout.plotArea.top(), right - left, layout.plotArea.height()),
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

std::vector<QRectF> PlotLayout::allPanes() const {
    std::vector<QRectF> all;
    for (const auto& [channel, pane] : panes) {
        all.push_back(pane);
    }
    if (variancePane) {
        all.push_back(*variancePane);
    }
    return all;
}

PlotLayout layoutPlot(const QRectF& area, const PlotView& view, bool withVariance) {
    PlotLayout layout;
    layout.plotArea = area.adjusted(kLeftMargin, kTopMargin, -kRightMargin, -kBottomMargin);
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
                QRectF(layout.plotArea.left(), top, layout.plotArea.width(), height));
            top += height + kPaneGap;
        }
    }
    if (withVariance) {
        layout.variancePane = QRectF(layout.plotArea.left(), top, layout.plotArea.width(), height);
    }
    return layout;
}

void paintPlot(QPainter& painter, const QRectF& area, const LogSession& session,
               const PlotView& view, const PlotColours& colours) {
    painter.fillRect(area, colours.background);
    const PlotLayout layout = layoutPlot(area, view);
    painter.setPen(colours.text);
    painter.setFont(QFont(painter.font().family(), 9, QFont::Bold));
    painter.drawText(QRectF(area.left() + kLeftMargin, area.top() + 2, area.width(), 14),
                     Qt::AlignLeft | Qt::AlignVCenter, qs(session.log.title));
    if (layout.panes.empty()) {
        painter.drawText(area, Qt::AlignCenter, QStringLiteral("No channel is shown."));
        return;
    }
    drawLapBands(painter, layout, view, session, colours);
    drawTimeAxis(painter, layout, view, colours);
    for (const auto& [channel, pane] : layout.panes) {
        const ValueRange range = shownRange(session, view, channel);
        drawPaneFrame(painter, pane, QString::fromUtf8(channelName(channel)), range, colours);
        painter.save();
        painter.setClipRect(pane);
        const auto c = static_cast<std::size_t>(channel);
        drawSeries(painter, pane, view, session.log.timesCs, session.log.values[c], range,
                   kChannelColours[c], colours);
        painter.restore();
    }
    if (view.draggedCs) {
        drawDragged(painter, layout, view, colours);
    }
    if (view.cursorCs) {
        drawCursor(painter, layout, view, session, colours);
    }
}
