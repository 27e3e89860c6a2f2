#pragma once

#include <string_view>

// The fixed texts of the lap file and the log file, as code page 932 bytes:
// LOG SAVE writes them and the viewer reads them.
namespace csv {

// Both files begin "LOG NAME,Dnn,name".
constexpr std::string_view kLogNamePrefix = "LOG NAME,";

// The lap file: three summary lines "LABEL,'mm:ss.cc", a blank line, the laps.
constexpr std::string_view kLapSummaryLabels[] = {"TOTAL", "BEST LAP", "AVERAGE LAP"};
constexpr std::string_view kLapHeader = "LAP,LAP TIME";

// The log file: the sampling interval, the column names, one line a sample.
constexpr std::string_view kSamplingIntervalLabel = "SAMPLING INTERVAL(sec),";
constexpr std::string_view kLogHeader =
    "REC TIME,ST(%),TH(%),RPM,VOLT(V),TEMP1(\x81\x8E),TEMP2(\x81\x8E),LAP";

}  // namespace csv
