#pragma once

#include <optional>
#include <string>
#include <vector>

#include "text/translation.h"
#include "viewer/lap_comparison.h"
#include "viewer/lap_table_model.h"

// The Compare list's columns for one lap of the sessions open: "2 D01 RACE"
// (the session's number and its log's name), "5", "00:21.00", "+1.00" or
// "reference"; the headers are translated where they are shown.
constexpr const char* kComparedLapHeaders[] = {DD_TEXT("Session"), DD_TEXT("Lap"), DD_TEXT("Time"),
                                               DD_TEXT("Behind (s)")};
std::vector<std::string> comparedLapCells(const ComparedLapRow& row,
                                          const LapComparison& comparison,
                                          const std::vector<const LogSession*>& sessions);

// The reference lap of the sessions compared, for the shown session's lap
// table; none while there is none.
std::optional<BehindReference> behindReference(const LapComparison& comparison);
