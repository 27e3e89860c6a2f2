#pragma once

#include <QSize>
#include <QString>

#include "viewer/lap_comparison.h"
#include "viewer/lap_table_model.h"
#include "viewer/plot_view.h"

enum class ImageFormat { Png, Svg, Unknown };

// By the name's ending, in any case: ".png" or ".svg".
ImageFormat imageFormatOf(const QString& path);

// Writes the plot as the name's format says. The file appears whole or not
// at all. Returns an empty text when written, otherwise why not, in a
// user's words.
QString exportPlot(const LogSession& session, const PlotView& view, QSize size,
                   const QString& path);
// The same for laps compared, with their time variance.
QString exportComparison(const LapComparison& comparison, const PlotView& view, QSize size,
                         const QString& path);

// Writes the lap table as a CSV file (see lapTableCsv), whole or not at all.
// Returns an empty text when written, otherwise why not.
// Behind a reference lap when one is given, otherwise the session's best.
QString exportLapFigures(const std::vector<LapFigures>& laps, const QString& path,
                         const std::optional<BehindReference>& reference = {});
