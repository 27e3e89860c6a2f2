#pragma once

#include <optional>
#include <string>
#include <vector>

#include "viewer/lap_comparison.h"
#include "viewer/lap_table_model.h"
#include "viewer/plot_view.h"

enum class ImageFormat { Png, Svg, Unknown };

struct ImageSize {
    int width = 1600;
    int height = 1000;
};

// By the name's ending, in any case: ".png" or ".svg".
ImageFormat imageFormatOf(const std::string& path);

// Writes the plot as the name's format says. The file appears whole or not
// at all. Returns an empty text when written, otherwise why not, in a
// user's words.
std::string exportPlot(const LogSession& session, const PlotView& view, ImageSize size,
                       const std::string& path);
// The same for laps compared, with their time variance.
std::string exportComparison(const LapComparison& comparison, const PlotView& view, ImageSize size,
                             const std::string& path);

// Writes the lap table as a CSV file (see lapTableCsv), whole or not at all.
// Returns an empty text when written, otherwise why not.
// Behind a reference lap when one is given, otherwise the session's best.
std::string exportLapFigures(const std::vector<LapFigures>& laps, const std::string& path,
                             const std::optional<BehindReference>& reference = {});
