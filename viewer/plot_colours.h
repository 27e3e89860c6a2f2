#pragma once

#include "viewer/canvas.h"

// The colours of a plot's own parts, all but the channels' and the laps':
// from the window's palette on the screen (light or dark), the light set
// given here in exported pictures and in the command line's plots.
struct PlotColours {
    Rgba background{255, 255, 255};
    Rgba text{0x30, 0x30, 0x30};
    Rgba grid{0xdd, 0xdd, 0xdd};
    Rgba frame{0x99, 0x99, 0x99};
    Rgba zeroLine{0x80, 0x80, 0x80};
    Rgba cursor{0x40, 0x40, 0x40};
    Rgba box{255, 255, 255, 220};  // behind the readouts and the legend
    Rgba dragged{0x33, 0x66, 0xcc, 50};
    Rgba lapBands[2] = {Rgba{0xf6, 0xef, 0xe0}, Rgba{0xe6, 0xef, 0xfa}};  // laps alternate

    // A channel's or a lap's own colour, lightened where it would hardly
    // stand out from a dark background.
    Rgba series(Rgba own) const;
};

// The contrast of two colours as the web's accessibility guidelines reckon
// it: 1 (none) to 21 (black on white).
double contrastRatio(Rgba a, Rgba b);
// share 0 gives a, share 1 gives b.
Rgba mixed(Rgba a, Rgba b, double share);
