// The lap table's figures for sessions saved from the simulated logger by
// LOG SAVE, against figures worked out from the logger's own records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "sim/generated_session.h"
#include "tests/support/sim_dlg_harness.h"
#include "tests/support/temp_files.h"
#include "viewer/file_pairing.h"

namespace {

std::vector<int> hexFields(const std::string& reply) {
    std::vector<int> fields;
    const std::string payload = reply.substr(5, reply.size() - 7);  // "OK00," ... "\r\n"
    for (std::size_t at = 0; at < payload.size(); at += 5) {
        fields.push_back(std::stoi(payload.substr(at, 4), nullptr, 16));
    }
    return fields;
}

int hundredthsOf(const std::vector<int>& group) {
    return (group[0] * 60 + group[1]) * 100 + group[2];
}

struct Expected {
    std::vector<int> lapsCs;
    std::vector<float> highestRpm, lowestVolt, averageVolt, highestTemp1, highestTemp2;
};

// Straight from the records: a sample at time t belongs to the lap whose
// boundaries (first lap's start, then one lap time after another) enclose it.
Expected fromRecords(const ktr90::Scenario& scenario) {
    Expected expected;
    const std::vector<int> start = hexFields(scenario.lapReplies[4]);
    for (std::size_t i = 5; i < scenario.lapReplies.size(); ++i) {
        expected.lapsCs.push_back(hundredthsOf(hexFields(scenario.lapReplies[i])));
    }
    const std::size_t laps = expected.lapsCs.size();
    std::vector<int> boundaries{hundredthsOf(start)};
    for (const int lap : expected.lapsCs) {
        boundaries.push_back(boundaries.back() + lap);
    }
    const int interval = hexFields(scenario.sampleReplies[1])[0];
    std::vector<std::vector<std::vector<int>>> samplesOfLap(laps);
    for (std::size_t i = 2; i < scenario.sampleReplies.size(); ++i) {
        const int t = static_cast<int>(i - 2) * interval;
        const auto lap =
            std::upper_bound(boundaries.begin(), boundaries.end(), t) - boundaries.begin();
        if (lap >= 1 && static_cast<std::size_t>(lap) <= laps) {
            samplesOfLap[static_cast<std::size_t>(lap) - 1].push_back(
                hexFields(scenario.sampleReplies[i]));
        }
    }
    for (const auto& samples : samplesOfLap) {
        float rpm = 0, low = 1e9f, sum = 0, t1 = NAN, t2 = NAN;
        for (const auto& s : samples) {
            rpm = std::max(rpm, s[2] * 2.0f);
            low = std::min(low, s[3] / 100.0f);
            sum += s[3] / 100.0f;
            if (s[4] != 255)
                t1 = std::isnan(t1) ? s[4] : std::max<float>(t1, s[4]);
            if (s[5] != 255)
                t2 = std::isnan(t2) ? s[5] : std::max<float>(t2, s[5]);
        }
        expected.highestRpm.push_back(rpm);
        expected.lowestVolt.push_back(low);
        expected.averageVolt.push_back(sum / static_cast<float>(samples.size()));
        expected.highestTemp1.push_back(t1);
        expected.highestTemp2.push_back(t2);
    }
    return expected;
}

void expectSameOrBothMissing(float actual, float expected, const char* what, std::size_t lap) {
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << what << " of lap " << lap + 1;
    } else {
        EXPECT_FLOAT_EQ(actual, expected) << what << " of lap " << lap + 1;
    }
}

TEST(LapFiguresTest, SavedSessions_FiguresAgreeWithTheLoggersRecords) {
    for (const std::uint64_t seed : {3u, 11u}) {
        const ktr90::Scenario scenario = ktr90::generatedSession(seed);
        const Expected expected = fromRecords(scenario);

        SimDlgHarness saving(scenario);
        const std::string lapPath = TempPath("figures" + std::to_string(seed) + "_lap.csv");
        const std::string logPath = TempPath("figures" + std::to_string(seed) + "_log.csv");
        saving.platform.fileAnswers = {lapPath, logPath};
        saving.dlg.OnLogSave();
        ASSERT_EQ(saving.lastMessage().text, "Completed to receive data!!");

        const ReadResult<LogSession> loaded = loadSession(pairFiles({logPath}));
        ASSERT_TRUE(std::holds_alternative<LogSession>(loaded))
            << std::get<ReadError>(loaded).message();
        const LogSession& session = std::get<LogSession>(loaded);
        EXPECT_TRUE(session.warnings.empty());
        ASSERT_EQ(session.figures.size(), expected.lapsCs.size());

        const int best = *std::min_element(expected.lapsCs.begin(), expected.lapsCs.end());
        for (std::size_t i = 0; i < expected.lapsCs.size(); ++i) {
            const LapFigures& row = session.figures[i];
            EXPECT_EQ(row.lapCs, expected.lapsCs[i]);
            EXPECT_EQ(row.behindBestCs, expected.lapsCs[i] - best);
            EXPECT_EQ(row.best, expected.lapsCs[i] == best);
            EXPECT_FLOAT_EQ(row.highestRpm, expected.highestRpm[i]);
            EXPECT_FLOAT_EQ(row.lowestVolt, expected.lowestVolt[i]);
            EXPECT_NEAR(row.averageVolt, expected.averageVolt[i], 0.001);
            expectSameOrBothMissing(row.highestTemp1, expected.highestTemp1[i], "TEMP1", i);
            expectSameOrBothMissing(row.highestTemp2, expected.highestTemp2[i], "TEMP2", i);
        }
        EXPECT_EQ(session.laps->bestCs, best);
    }
}

}  // namespace
