#include "sim/records.h"

#include <cstdio>

namespace ktr90 {

std::string hex4(unsigned value) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", value & 0xFFFFu);
    return digits;
}

std::string timeGroup(unsigned minutes, unsigned seconds, unsigned hundredths) {
    return hex4(minutes) + "," + hex4(seconds) + "," + hex4(hundredths);
}

std::string timeGroupOfHundredths(std::uint32_t hundredths) {
    const std::uint32_t totalSeconds = hundredths / 100;
    return timeGroup(totalSeconds / 60, totalSeconds % 60, hundredths % 100);
}

std::string record(const std::string& payload) {
    return "OK00," + payload + kLineEnd;
}

std::vector<std::string> modelRecords(const std::vector<unsigned>& values) {
    std::vector<std::string> replies;
    replies.reserve(values.size());
    for (const unsigned value : values) {
        replies.push_back(record(hex4(value)));
    }
    return replies;
}

}  // namespace ktr90
