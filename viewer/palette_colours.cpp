#include "viewer/palette_colours.h"

#include <QPalette>

#include "viewer/qt_canvas.h"

namespace {

// Laps alternate between a warm tint and one of the palette's highlight.
constexpr Rgba kWarmTint{0xff, 0xb0, 0x00};

}  // namespace

PlotColours plotColoursOf(const QPalette& palette) {
    const Rgba base = rgbaOf(palette.color(QPalette::Base));
    const Rgba text = rgbaOf(palette.color(QPalette::Text));
    const Rgba highlight = rgbaOf(palette.color(QPalette::Highlight));
    PlotColours colours;
    colours.background = base;
    colours.text = text;
    colours.grid = mixed(base, text, 0.15);
    colours.frame = mixed(base, text, 0.4);
    colours.zeroLine = mixed(base, text, 0.5);
    colours.cursor = mixed(base, text, 0.75);
    colours.box = base;
    colours.box.a = 220;
    colours.dragged = highlight;
    colours.dragged.a = 60;
    colours.lapBands[0] = mixed(base, kWarmTint, 0.1);
    colours.lapBands[1] = mixed(base, highlight, 0.12);
    return colours;
}
