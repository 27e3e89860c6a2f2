#pragma once

#include <optional>
#include <string>
#include <vector>

#include "viewer/lap_comparison.h"
#include "viewer/lap_table_model.h"

// The Compare list's columns for one lap of the sessions open: "2 D01 RACE"
// (the session's number and its log's name), "5", "00:21.00", "+1.00" or
// "reference".
constexpr const char* kComparedLapHeaders[] = {"Session", "Lap", "Time", "Behind (s)"};
std::vector<std::string> comparedLapCells(const ComparedLapRow& row,
                                          const LapComparison& comparison,
                                          const std::vector<const LogSession*>& sessions);

// The reference lap of the sessions compared, for the shown session's lap
// table; none while there is none.
std::optional<BehindReference> behindReference(const LapComparison& comparison);
