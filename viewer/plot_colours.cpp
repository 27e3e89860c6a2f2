#include "viewer/plot_colours.h"

#include <algorithm>
#include <cmath>

namespace {

// Lines and the readouts' figures stand out at this contrast or more.
constexpr double kSeriesContrast = 3.0;

double relativeLuminance(Rgba colour) {
    const auto linear = [](std::uint8_t component) {
        const double c = component / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.r) + 0.7152 * linear(colour.g) + 0.0722 * linear(colour.b);
}

bool isDark(Rgba colour) {
    return relativeLuminance(colour) < 0.2;
}

}  // namespace

double contrastRatio(Rgba a, Rgba b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgba mixed(Rgba a, Rgba b, double share) {
    const auto mix = [share](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(std::lround(x + (y - x) * share));
    };
    return {mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b), mix(a.a, b.a)};
}

// On a light background the colours stay as they always were.
Rgba PlotColours::series(Rgba own) const {
    Rgba shown = own;
    for (double share = 0.1;
         isDark(background) && share < 1 && contrastRatio(shown, background) < kSeriesContrast;
         share += 0.1) {
        shown = mixed(own, Rgba{255, 255, 255}, share);
    }
    return shown;
}
