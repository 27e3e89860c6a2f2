#pragma once

#include "text/translation.h"

// The log viewer's own words, the same in its Qt window and its Windows one;
// each is translated where it is shown. A menu's key follows its "&".
namespace viewer_text {

inline constexpr char kProgramName[] = DD_TEXT("DataDock log viewer");
inline constexpr char kWindowTitle[] = DD_TEXT("{log} - DataDock log viewer");
inline constexpr char kLapsTab[] = DD_TEXT("Laps");
inline constexpr char kCompareTab[] = DD_TEXT("Compare");

inline constexpr char kFileMenu[] = DD_TEXT("&File");
inline constexpr char kOpen[] = DD_TEXT("&Open...");
inline constexpr char kAddToCompare[] = DD_TEXT("Add Log to &Compare...");
inline constexpr char kOpenRecent[] = DD_TEXT("Open &Recent");
inline constexpr char kExportImage[] = DD_TEXT("&Export Image...");
inline constexpr char kExportLapTable[] = DD_TEXT("Export &Lap Table as CSV...");
inline constexpr char kClose[] = DD_TEXT("&Close");
inline constexpr char kViewMenu[] = DD_TEXT("&View");
inline constexpr char kFitScales[] = DD_TEXT("&Fit Scales to the Time Shown");
inline constexpr char kWholeLog[] = DD_TEXT("&Whole Log");
inline constexpr char kZoomIn[] = DD_TEXT("Zoom &In");
inline constexpr char kZoomOut[] = DD_TEXT("Zoom &Out");

inline constexpr char kUseAsReference[] = DD_TEXT("Use as Reference");
inline constexpr char kDrawByTime[] = DD_TEXT("Draw laps by time since each began");

inline constexpr char kOpenHint[] =
    DD_TEXT("Open a log: File > Open, or drop its files on the window.");
inline constexpr char kEmptyPlot[] =
    DD_TEXT("Open a log with File > Open, or drop its files here.");
inline constexpr char kSessionAdded[] = DD_TEXT("Session {number} added: {file}");
inline constexpr char kTooManyToCompare[] = DD_TEXT("Select up to {count} laps to compare them.");
inline constexpr char kTooManySelected[] =
    DD_TEXT("Select one lap to zoom to it, or up to {count} to compare them.");
inline constexpr char kSaved[] = DD_TEXT("Saved {file}");
inline constexpr char kNothingToExport[] = DD_TEXT("Open a log first: there is nothing to export.");
inline constexpr char kNoLapTable[] =
    DD_TEXT("Open a log with its lap file first: there is no lap table to export.");

// The file dialogs' titles and kinds of file.
inline constexpr char kOpenTitle[] = DD_TEXT("Open a log and its lap file");
inline constexpr char kLapFileTitle[] = DD_TEXT("Lap file for {file} (Cancel: without laps)");
inline constexpr char kLogFileTitle[] = DD_TEXT("Log file for {file}");
inline constexpr char kExportPlotTitle[] = DD_TEXT("Export the plot");
inline constexpr char kExportLapTableTitle[] = DD_TEXT("Export the lap table");
inline constexpr char kPngImage[] = DD_TEXT("PNG image (*.png)");
inline constexpr char kSvgImage[] = DD_TEXT("SVG image (*.svg)");
inline constexpr char kCsvFile[] = DD_TEXT("CSV file (*.csv)");

}  // namespace viewer_text
