#include "viewer/lap_table_model.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "text/translation.h"

namespace {

// The figures after lap, time and behind, in the table's order.
struct FigureColumn {
    float LapFigures::*figure;
    int decimals;
    const char* header;     // shown in the user's language
    const char* csvHeader;  // the file's, in English
};

constexpr FigureColumn kFigureColumns[] = {
    {&LapFigures::fullThrottlePercent, 1, DD_TEXT("Full TH (%)"), "Full throttle (%)"},
    {&LapFigures::brakingPercent, 1, DD_TEXT("Braking (%)"), "Braking (%)"},
    {&LapFigures::highestRpm, 0, DD_TEXT("Max (rpm)"), "Max RPM (rpm)"},
    {&LapFigures::lowestRpm, 0, DD_TEXT("Min (rpm)"), "Min RPM (rpm)"},
    {&LapFigures::lowestVolt, 2, DD_TEXT("Min (V)"), "Min VOLT (V)"},
    {&LapFigures::averageVolt, 2, DD_TEXT("Avg (V)"), "Avg VOLT (V)"},
    {&LapFigures::voltDrop, 2, DD_TEXT("Drop (V)"), "VOLT drop (V)"},
    {&LapFigures::highestTemp1, 0, DD_TEXT("Max T1 (℃)"), "Max TEMP1 (℃)"},
    {&LapFigures::highestTemp2, 0, DD_TEXT("Max T2 (℃)"), "Max TEMP2 (℃)"},
};

// Empty for a figure without samples.
std::string figureText(float value, int decimals) {
    if (std::isnan(value)) {
        return {};
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
    return text;
}

std::string secondsText(int hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", hundredths / 100.0);
    return text;
}

int behindCs(const LapFigures& lap, const std::optional<BehindReference>& reference) {
    return reference ? lap.lapCs - reference->lapCs : lap.behindBestCs;
}

std::string behindText(const LapFigures& lap, const std::optional<BehindReference>& reference) {
    const int cs = behindCs(lap, reference);
    if (lap.best && cs == 0) {
        return translated("best");
    }
    if (reference && reference->lapNumber == lap.number) {
        return translated("reference");
    }
    return (cs < 0 ? "-" : "+") + secondsText(std::abs(cs));
}

// A CSV cell needs quotes only around a comma, a quote or a line end; the
// figures never hold one, the headers neither.
std::string csvLine(const std::vector<std::string>& cells) {
    std::string line;
    for (const std::string& cell : cells) {
        line += (line.empty() ? "" : ",") + cell;
    }
    return line + "\r\n";
}

}  // namespace

const std::vector<LapTableColumn>& lapTableColumns() {
    static const std::vector<LapTableColumn> columns = [] {
        std::vector<LapTableColumn> all = {{DD_TEXT("Lap"), "Lap"},
                                           {DD_TEXT("Time"), "Time (s)"},
                                           {DD_TEXT("Behind (s)"), "Behind (s)"}};
        for (const FigureColumn& column : kFigureColumns) {
            all.push_back({column.header, column.csvHeader});
        }
        return all;
    }();
    return columns;
}

std::vector<std::string> lapTableCells(const LapFigures& lap,
                                       const std::optional<BehindReference>& reference) {
    std::vector<std::string> cells = {std::to_string(lap.number) + (lap.best ? " ★" : ""),
                                      timeText(lap.lapCs), behindText(lap, reference)};
    for (const FigureColumn& column : kFigureColumns) {
        const std::string text = figureText(lap.*column.figure, column.decimals);
        cells.push_back(text.empty() ? "-" : text);
    }
    return cells;
}

std::string lapTableCsv(const std::vector<LapFigures>& laps,
                        const std::optional<BehindReference>& reference) {
    std::vector<std::string> headers;
    for (const LapTableColumn& column : lapTableColumns()) {
        headers.push_back(column.csvHeader);
    }
    std::string csv = "\xEF\xBB\xBF" + csvLine(headers);
    for (const LapFigures& lap : laps) {
        std::vector<std::string> cells = {std::to_string(lap.number), secondsText(lap.lapCs),
                                          secondsText(behindCs(lap, reference))};
        for (const FigureColumn& column : kFigureColumns) {
            cells.push_back(figureText(lap.*column.figure, column.decimals));
        }
        csv += csvLine(cells);
    }
    return csv;
}

std::string lapSummaryText(const LogSession& session) {
    if (!session.laps) {
        return translated("No lap file: the log is shown without laps.");
    }
    return translated("Total {total}   Best {best}   Average {average}",
                      {{"total", timeText(session.laps->totalCs)},
                       {"best", timeText(session.laps->bestCs)},
                       {"average", timeText(session.laps->averageCs)}});
}
