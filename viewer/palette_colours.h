#pragma once

#include "viewer/plot_colours.h"

class QPalette;

// The plot's colours on the screen, from the window's palette, light or dark.
PlotColours plotColoursOf(const QPalette& palette);
