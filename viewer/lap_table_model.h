#pragma once

#include <optional>
#include <string>
#include <vector>

#include "viewer/log_session.h"

// The lap table's columns, as the viewer shows them and as a spreadsheet
// gets them: the same figures, each header with its unit.
struct LapTableColumn {
    std::string header;     // "Min (V)", translated where it is shown
    std::string csvHeader;  // the header in the CSV file: "Min VOLT (V)"
};
const std::vector<LapTableColumn>& lapTableColumns();

// The lap that the Behind column counts against instead of the session's
// best: the reference lap of laps compared, perhaps of another session.
struct BehindReference {
    int lapCs = 0;
    std::optional<int> lapNumber;  // when it is a lap of this session
};

// A row's cells as the table shows them: "2", "00:21.00", "+1.00", "5108",
// "-" for a figure without samples; the best lap is marked with a star.
// Behind a reference a lap shows "-0.50" when faster, the reference itself
// "reference" ("best" when it is the best lap).
std::vector<std::string> lapTableCells(const LapFigures& lap,
                                       const std::optional<BehindReference>& reference = {});

// The lap table as a CSV file a spreadsheet opens directly: UTF-8 with a
// byte-order mark, a header row, lines ending in CR LF; times in seconds,
// an empty cell for a figure without samples.
std::string lapTableCsv(const std::vector<LapFigures>& laps,
                        const std::optional<BehindReference>& reference = {});

// The line under the lap table: "Total 03:10.00   Best 00:20.00   Average
// 00:21.11", or why there are no laps.
std::string lapSummaryText(const LogSession& session);
