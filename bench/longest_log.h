#pragma once

// The longest log the logger can announce (65,535 samples, a four-digit
// hexadecimal count) with its lap file, for the viewer's benchmarks.
#include <cmath>
#include <fstream>
#include <string>

#include "device/log_records.h"
#include "tests/support/temp_files.h"
#include "viewer/file_pairing.h"

constexpr int kSamples = 65535;
constexpr int kIntervalCs = 10;
constexpr int kSamplesPerLap = 200;

// The two files as LOG SAVE writes them, once: 0.10 s apart, a lap every
// 20 s, about 109 minutes in all.
inline const FilePair& longestLog() {
    static const FilePair pair = [] {
        const std::string log = TempPath("bench_longest_log.csv"),
                          lap = TempPath("bench_longest_lap.csv");
        std::ofstream out(log, std::ios::binary);
        out << "LOG NAME,D01,BENCH\r\nSAMPLING INTERVAL(sec),0.10\r\n"
               "REC TIME,ST(%),TH(%),RPM,VOLT(V),TEMP1(\x81\x8E),TEMP2(\x81\x8E),LAP\r\n";
        std::string time = "00:00.00";
        for (int i = 0; i < kSamples; ++i, NextRecTime(time, kIntervalCs)) {
            const double phase = i * 0.05;
            out << "'" << time << "," << static_cast<int>(100 * std::sin(phase)) << ","
                << static_cast<int>(110 * std::cos(phase * 0.7)) << ","
                << 20000 + static_cast<int>(15000 * std::sin(phase * 0.3)) << "," << 8 - i / 20000
                << "." << 10 + i % 80 << "," << (i % 997 == 0 ? "-" : std::to_string(25 + i / 2000))
                << "," << 30 + i / 3000 << "," << (i / kSamplesPerLap) << "\r\n";
        }
        std::ofstream laps(lap, std::ios::binary);
        laps << "LOG NAME,D01,BENCH\r\nTOTAL,'109:13.50\r\nBEST LAP,'00:20.00\r\n"
                "AVERAGE LAP,'00:20.00\r\n\r\nLAP,LAP TIME\r\n";
        for (int l = 1; l <= kSamples / kSamplesPerLap + 1; ++l) {
            laps << l << ",'00:20.00\r\n";
        }
        return FilePair{log, lap};
    }();
    return pair;
}
