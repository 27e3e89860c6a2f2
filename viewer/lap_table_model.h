#pragma once

#include <string>
#include <vector>

#include "viewer/log_session.h"

// The lap table's columns, as the viewer shows them and as a spreadsheet
// gets them: the same figures, each header with its unit.
struct LapTableColumn {
    std::string header;     // "Min (V)"
    std::string csvHeader;  // the header in the CSV file: "Min VOLT (V)"
};
const std::vector<LapTableColumn>& lapTableColumns();

// A row's cells as the table shows them: "2", "00:21.00", "+1.00", "5108",
// "-" for a figure without samples; the best lap is marked with a star.
std::vector<std::string> lapTableCells(const LapFigures& lap);

// The lap table as a CSV file a spreadsheet opens directly: UTF-8 with a
// byte-order mark, a header row, lines ending in CR LF; times in seconds,
// an empty cell for a figure without samples.
std::string lapTableCsv(const std::vector<LapFigures>& laps);
