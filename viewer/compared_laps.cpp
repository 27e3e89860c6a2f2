#include "viewer/compared_laps.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string behindText(const ComparedLapRow& row, bool reference) {
    if (reference) {
        return translated("reference");
    }
    const int cs = row.behindReferenceCs;
    char text[24];
    std::snprintf(text, sizeof text, "%c%d.%02d", cs < 0 ? '-' : '+', std::abs(cs) / 100,
                  std::abs(cs) % 100);
    return text;
}

}  // namespace

std::vector<std::string> comparedLapCells(const ComparedLapRow& row,
                                          const LapComparison& comparison,
                                          const std::vector<const LogSession*>& sessions) {
    return {std::to_string(row.lap.session + 1) + " " + sessions[row.lap.session]->log.title,
            std::to_string(row.lap.lap), timeText(row.lapCs),
            behindText(row, comparison.reference == row.lap)};
}

std::optional<BehindReference> behindReference(const LapComparison& comparison) {
    for (const ComparedLapRow& row : comparison.laps) {
        if (comparison.reference == row.lap) {
            return BehindReference{
                row.lapCs, row.lap.session == 0 ? std::optional(row.lap.lap) : std::nullopt};
        }
    }
    return std::nullopt;
}
