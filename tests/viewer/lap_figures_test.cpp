// The lap table's figures for sessions saved from the simulated logger by
// LOG SAVE, against figures worked out from the logger's own records.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "sim/generated_session.h"
#include "tests/support/sim_transfer_harness.h"
#include "tests/support/temp_files.h"
#include "viewer/file_pairing.h"

namespace {

// The four-digit hexadecimal fields of a reply "OK00,hhhh,hhhh,...\r\n".
std::vector<int> hexFields(const std::string& reply) {
    std::vector<int> fields;
    for (std::size_t at = 5; at + 4 <= reply.size() - 2; at += 5) {
        fields.push_back(std::stoi(reply.substr(at, 4), nullptr, 16));
    }
    return fields;
}

int hundredthsOf(const std::string& reply) {  // minutes, seconds, hundredths
    const std::vector<int> t = hexFields(reply);
    return (t[0] * 60 + t[1]) * 100 + t[2];
}

// Straight from the records: a sample at time t belongs to the lap whose
// boundaries (first lap's start, then one lap time after another) enclose it.
// A sample is ST, TH + 120, RPM / 2, VOLT x 100, TEMP1, TEMP2 (255: no sensor).
std::vector<LapFigures> fromRecords(const ktr90::Scenario& scenario) {
    std::vector<LapFigures> laps;
    std::vector<int> ends;
    int end = hundredthsOf(scenario.lapReplies[4]);
    const int firstStart = end;
    for (std::size_t i = 5; i < scenario.lapReplies.size(); ++i) {
        laps.push_back({.lapCs = hundredthsOf(scenario.lapReplies[i]),
                        .lowestRpm = INFINITY,
                        .lowestVolt = INFINITY,
                        .highestTemp1 = NAN,
                        .highestTemp2 = NAN});
        ends.push_back(end += laps.back().lapCs);
    }
    const int interval = hexFields(scenario.sampleReplies[1])[0];
    std::vector<int> samplesOfLap(laps.size());
    for (std::size_t i = 2; i < scenario.sampleReplies.size(); ++i) {
        const int t = static_cast<int>(i - 2) * interval;
        const auto n = static_cast<std::size_t>(std::ranges::upper_bound(ends, t) - ends.begin());
        if (t < firstStart || n == laps.size()) {
            continue;
        }
        const std::vector<int> s = hexFields(scenario.sampleReplies[i]);
        LapFigures& lap = laps[n];
        lap.fullThrottlePercent += s[1] - 120 >= 100 ? 1.0f : 0.0f;  // counts, then shares
        lap.brakingPercent += s[1] - 120 < 0 ? 1.0f : 0.0f;
        lap.highestRpm = std::max(lap.highestRpm, s[2] * 2.0f);
        lap.lowestRpm = std::min(lap.lowestRpm, s[2] * 2.0f);
        lap.voltDrop = samplesOfLap[n] == 0 ? s[3] / 100.0f : lap.voltDrop;  // the first, for now
        lap.lowestVolt = std::min(lap.lowestVolt, s[3] / 100.0f);
        lap.averageVolt += s[3] / 100.0f;
        lap.highestTemp1 = std::fmax(lap.highestTemp1, s[4] == 255 ? NAN : float(s[4]));
        lap.highestTemp2 = std::fmax(lap.highestTemp2, s[5] == 255 ? NAN : float(s[5]));
        ++samplesOfLap[n];
    }
    for (std::size_t n = 0; n < laps.size(); ++n) {
        const auto samples = static_cast<float>(samplesOfLap[n]);
        laps[n].averageVolt /= samples;
        laps[n].fullThrottlePercent *= 100 / samples;
        laps[n].brakingPercent *= 100 / samples;
        laps[n].voltDrop -= laps[n].lowestVolt;
    }
    return laps;
}

TEST(LapFiguresTest, SavedSessions_FiguresAgreeWithTheLoggersRecords) {
    for (const std::uint64_t seed : {3u, 11u}) {
        const ktr90::Scenario scenario = ktr90::generatedSession(seed);
        const std::vector<LapFigures> expected = fromRecords(scenario);
        SimTransferHarness saving(scenario);
        const std::string name = TempPath("figures" + std::to_string(seed));
        ASSERT_EQ(saving.logSave(name + "_lap.csv", name + "_log.csv").outcome,
                  TransferOutcome::Completed);

        const ReadResult<LogSession> loaded = loadSession(pairFiles({name + "_log.csv"}));
        ASSERT_TRUE(std::holds_alternative<LogSession>(loaded))
            << std::get<ReadError>(loaded).message();
        const LogSession& session = std::get<LogSession>(loaded);
        EXPECT_TRUE(session.warnings.empty());
        ASSERT_EQ(session.figures.size(), expected.size());
        const int best = std::ranges::min(expected, {}, &LapFigures::lapCs).lapCs;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const LapFigures& row = session.figures[i];
            const LapFigures& want = expected[i];
            SCOPED_TRACE("seed " + std::to_string(seed) + ", lap " + std::to_string(i + 1));
            EXPECT_EQ(row.lapCs, want.lapCs);
            EXPECT_EQ(row.behindBestCs, want.lapCs - best);
            EXPECT_EQ(row.best, want.lapCs == best);
            EXPECT_NEAR(row.fullThrottlePercent, want.fullThrottlePercent, 0.01);
            EXPECT_NEAR(row.brakingPercent, want.brakingPercent, 0.01);
            EXPECT_FLOAT_EQ(row.highestRpm, want.highestRpm);
            EXPECT_FLOAT_EQ(row.lowestRpm, want.lowestRpm);
            EXPECT_FLOAT_EQ(row.lowestVolt, want.lowestVolt);
            EXPECT_NEAR(row.voltDrop, want.voltDrop, 0.001);
            EXPECT_NEAR(row.averageVolt, want.averageVolt, 0.001);
            EXPECT_THAT(row.highestTemp1, testing::NanSensitiveFloatEq(want.highestTemp1));
            EXPECT_THAT(row.highestTemp2, testing::NanSensitiveFloatEq(want.highestTemp2));
        }
    }
}

}  // namespace
