#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The log file's LAP column: which lap a sample's recording time falls in,
// by the lap times of the lap set.
class LapColumn {
public:
    // The first lap starts at firstLapStartMs of recording time.
    void Start(std::int64_t firstLapStartMs) {
        m_nLapBoundaryMs = firstLapStartMs;
        m_nLapIndex = 0;
    }
    // "000" for the first lap, "-" before it and when there are no laps; the
    // samples after the last lap carry the number after it.
    std::string LapColumnText(const std::string& recordingTime,
                              const std::vector<std::string>& laps);

private:
    // The shown lap number plus one (0 before the first lap starts).
    int m_nLapIndex = 0;
    // The recording time at which m_nLapIndex advances next.
    std::int64_t m_nLapBoundaryMs = 0;
};
