#include "viewer/plot_colours.h"

#include <QPalette>
#include <algorithm>
#include <cmath>

namespace {

// Lines and the readouts' figures stand out at this contrast or more.
constexpr double kSeriesContrast = 3.0;
// Laps alternate between a warm tint and one of the palette's highlight.
const QColor kWarmTint(0xff, 0xb0, 0x00);

double relativeLuminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

bool isDark(const QColor& colour) {
    return relativeLuminance(colour) < 0.2;
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor mixed(const QColor& a, const QColor& b, double share) {
    const auto mix = [share](double x, double y) { return x + (y - x) * share; };
    return QColor::fromRgbF(static_cast<float>(mix(a.redF(), b.redF())),
                            static_cast<float>(mix(a.greenF(), b.greenF())),
                            static_cast<float>(mix(a.blueF(), b.blueF())),
                            static_cast<float>(mix(a.alphaF(), b.alphaF())));
}

// On a light background the colours stay as they always were.
QColor PlotColours::series(const QColor& own) const {
    QColor shown = own;
    for (double share = 0.1;
         isDark(background) && share < 1 && contrastRatio(shown, background) < kSeriesContrast;
         share += 0.1) {
        shown = mixed(own, Qt::white, share);
    }
    return shown;
}

PlotColours plotColoursOf(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    PlotColours colours;
    colours.background = base;
    colours.text = text;
    colours.grid = mixed(base, text, 0.15);
    colours.frame = mixed(base, text, 0.4);
    colours.zeroLine = mixed(base, text, 0.5);
    colours.cursor = mixed(base, text, 0.75);
    colours.box = base;
    colours.box.setAlpha(220);
    colours.dragged = palette.color(QPalette::Highlight);
    colours.dragged.setAlpha(60);
    colours.lapBands[0] = mixed(base, kWarmTint, 0.1);
    colours.lapBands[1] = mixed(base, palette.color(QPalette::Highlight), 0.12);
    return colours;
}
