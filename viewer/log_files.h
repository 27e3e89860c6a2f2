#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// The two files LOG SAVE writes, as the viewer holds them. Times are in
// hundredths of a second, as the logger counts them.

enum class Channel { Steering, Throttle, Rpm, Volt, Temp1, Temp2 };
inline constexpr std::size_t kChannelCount = 6;

// A sample with no value ("-": a temperature without its sensor) holds NaN.
struct LogFile {
    std::string path;
    std::string nameLine;  // the "LOG NAME" line's text after "LOG NAME,", as bytes
    std::string title;     // the same for display, UTF-8: "D03 SUZUKA 2026"
    int intervalCs = 0;
    std::vector<std::int32_t> timesCs;
    std::array<std::vector<float>, kChannelCount> values;
    // The LAP column: 0 for the first lap of the lap file, -1 for "-".
    std::vector<std::int32_t> lapColumn;
    // What was read otherwise than written (a cut last line left out, columns
    // not shown), in a user's words.
    std::vector<std::string> notes;

    std::size_t size() const { return timesCs.size(); }
    const std::vector<float>& channel(Channel c) const {
        return values[static_cast<std::size_t>(c)];
    }
};

struct LapFile {
    std::string path;
    std::string nameLine;
    std::string title;
    int totalCs = 0;
    int bestCs = 0;
    int averageCs = 0;
    std::vector<int> lapsCs;  // first lap first
    std::vector<std::string> notes;
};

// What was wrong, and where: line 0 speaks of the whole file, column 0 of
// the whole line.
struct ReadError {
    std::string path;  // as given, UTF-8
    int line = 0;
    std::string what;  // in a user's words, ends with a full stop
    int column = 0;    // from 1, as a spreadsheet counts them

    // "\"x_log.csv\", line 12, column 5"
    std::string where() const;
    std::string message() const;
};

template <typename T>
using ReadResult = std::variant<T, ReadError>;
