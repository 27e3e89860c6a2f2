#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "viewer/log_files.h"

// A lap as the log's samples show it: the samples whose LAP column names it.
struct LapSpan {
    int number = 0;         // as in the lap file, 1 for the first lap
    std::size_t first = 0;  // sample indices [first, end)
    std::size_t end = 0;
    std::int32_t startCs = 0;  // the time of its first sample
    std::int32_t endCs = 0;    // the time the next lap's first sample (or the log) ends it
};

// One row of the lap table. Figures a lap has no samples for are NaN.
struct LapFigures {
    int number = 0;
    int lapCs = 0;
    int behindBestCs = 0;
    bool best = false;
    float fullThrottlePercent = 0;  // of the lap's samples: TH at 100 % or more
    float brakingPercent = 0;       // TH below 0
    float highestRpm = 0;
    float lowestRpm = 0;
    float lowestVolt = 0;
    float averageVolt = 0;
    float voltDrop = 0;  // the lap's first voltage minus its lowest: the battery's sag
    float highestTemp1 = 0;
    float highestTemp2 = 0;
};

struct ValueRange {
    float low = 0;
    float high = 1;
};

// The values of samples [first, end) with a margin above and below; 0 to 1
// when none of them holds a value.
ValueRange paddedRange(const std::vector<float>& values, std::size_t first, std::size_t end);

// A log with its laps, ready to show.
struct LogSession {
    LogFile log;
    std::optional<LapFile> laps;
    std::vector<LapSpan> spans;
    std::vector<LapFigures> figures;
    std::array<ValueRange, kChannelCount> ranges;  // of the whole log, a little wider
    std::vector<std::string> warnings;             // shown beside the plot, not fatal

    std::int32_t startCs() const { return log.timesCs.front(); }
    std::int32_t endCs() const { return log.timesCs.back() + log.intervalCs; }
    const LapSpan* span(int lapNumber) const;
};

LogSession makeSession(LogFile log, std::optional<LapFile> laps);

// The laps' sample ranges from the log's LAP column; laps beyond those the
// lap file holds are not laps (the logger counts on after the last one).
std::vector<LapSpan> lapSpans(const LogFile& log, std::size_t lapCount);

std::vector<LapFigures> lapFigures(const LogFile& log, const LapFile& laps,
                                   const std::vector<LapSpan>& spans);

// The value of a channel at a time: that of the last sample at or before it.
float valueAt(const LogFile& log, Channel channel, double timeCs);

// "01:23.45", or "1:01:23.45" from an hour on.
std::string timeText(long long hundredths);
