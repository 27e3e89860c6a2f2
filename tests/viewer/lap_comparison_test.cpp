// Laps compared across sessions: progress from RPM, the overlay's alignment
// and the time variance, against figures worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "viewer/lap_comparison.h"

namespace {

// A stretch of a lap: an RPM (NaN for "-") held for whole seconds.
struct Stretch {
    float rpm;
    int seconds;
};
using Lap = std::vector<Stretch>;

// A session sampled once a second; each lap's time is its samples' unless
// the lap file says otherwise (extraLapsCs: lap file entries without samples).
LogSession sessionOf(const std::vector<Lap>& laps, std::vector<int> extraLapsCs = {}) {
    LogFile log;
    log.intervalCs = 100;
    LapFile lapFile;
    for (std::size_t n = 0; n < laps.size(); ++n) {
        int samples = 0;
        for (const Stretch& stretch : laps[n]) {
            for (int i = 0; i < stretch.seconds; ++i, ++samples) {
                log.timesCs.push_back(static_cast<std::int32_t>(log.timesCs.size()) * 100);
                const float sample[kChannelCount] = {0, 50, stretch.rpm, 7.4f, 30, 30};
                for (std::size_t c = 0; c < kChannelCount; ++c) {
                    log.values[c].push_back(sample[c]);
                }
                log.lapColumn.push_back(static_cast<std::int32_t>(n));
            }
        }
        lapFile.lapsCs.push_back(samples * 100);
    }
    lapFile.lapsCs.insert(lapFile.lapsCs.end(), extraLapsCs.begin(), extraLapsCs.end());
    return makeSession(std::move(log), std::move(lapFile));
}

constexpr float kNone = NAN;

TEST(LapComparisonTest, VarianceAgainstTheReference_WorkedOutByHand) {
    struct Case {
        const char* what;
        Lap lap;  // against a reference at a steady 1,000 rpm for 10 s
        std::vector<std::pair<double, double>> expected;  // reference's s, variance s
        bool byTime = false;
    };
    const Case cases[] = {
        {"the same pace on another gearing: no time lost anywhere",
         {{2000, 10}},
         {{0, 0}, {3, 0}, {10, 0}}},
        {"as fast for half the lap, then half the pace",
         {{1000, 5}, {500, 10}},
         {{0, 0}, {2.5, 0}, {5, 0}, {7.5, 2.5}, {10, 5}}},
        {"stood still 2 s at mid-lap: the loss comes at once",
         {{1000, 5}, {0, 2}, {1000, 5}},
         {{0, 0}, {5, 0}, {5.001, 2}, {7.5, 2}, {10, 2}}},
        {"stood still 2 s before the line: lost at the very end",
         {{1000, 10}, {0, 2}},
         {{0, 0}, {10, 0}}},
        {"no RPM: lined up by its time, 12 s spread evenly",
         {{kNone, 12}},
         {{5, 1}, {10, 2}},
         true},
        {"zero RPM throughout: the same", {{0, 8}}, {{5, -1}, {10, -2}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LogSession reference = sessionOf({{{1000, 10}}});
        const LogSession other = sessionOf({c.lap});
        const LapComparison comparison = compareLaps({&reference, &other}, {{1, 1}}, {{0, 1}});
        ASSERT_EQ(comparison.overlaid.size(), 2u);
        const OverlaidLap& lap = comparison.overlaid[1];
        EXPECT_EQ(lap.progress.byTime, c.byTime);
        EXPECT_EQ(comparison.notes.size(), c.byTime ? 1u : 0u);
        if (c.byTime) {
            EXPECT_EQ(comparison.notes[0],
                      "Session 2 lap 1 has no RPM: it is lined up by its "
                      "time since the lap began.");
        }
        for (const auto& [seconds, variance] : c.expected) {
            EXPECT_NEAR(varianceAt(lap.variance, seconds * 100), variance * 100, 1e-6) << seconds;
        }
        // From 0 to the whole-lap difference, the reference's own at 0 throughout.
        EXPECT_EQ(lap.variance.front().varianceCs, 0);
        EXPECT_NEAR(lap.variance.back().varianceCs, comparison.laps[1].behindReferenceCs, 1e-9);
        EXPECT_NEAR(lap.variance.back().referenceCs, 1000, 1e-9);
        for (const VariancePoint& point : comparison.overlaid[0].variance) {
            EXPECT_EQ(point.varianceCs, 0);
        }
    }
}

TEST(LapComparisonTest, SamplesAreDrawnAtTheReferencesTimeOfTheSameProgress) {
    const LogSession reference = sessionOf({{{1000, 10}}});
    const LogSession other = sessionOf({{{1000, 5}, {500, 10}}});
    const LapComparison comparison = compareLaps({&reference, &other}, {{1, 1}});
    const std::vector<std::int32_t> expected = {0,   100, 200, 300, 400, 500, 550, 600,
                                                650, 700, 750, 800, 850, 900, 950};
    EXPECT_EQ(comparison.overlaid[1].alignedCs, expected);
    EXPECT_EQ(comparison.overlaid[0].alignedCs.back(), 900);  // the reference, by its own time
    const LapComparison byTime =
        compareLaps({&reference, &other}, {{1, 1}}, std::nullopt, LineUp::ByTime);
    EXPECT_EQ(byTime.overlaid[1].alignedCs[14], 1400);              // each lap by its own time
    EXPECT_EQ(byTime.overlaid[1].variance.back().varianceCs, 500);  // by distance still

    // The lap file's lap time, not the samples', ends the lap: 10.04 s.
    LogSession longer = sessionOf({{{1000, 10}}});
    longer.figures[0].lapCs = 1004;
    const LapComparison stretched = compareLaps({&reference, &longer}, {{1, 1}}, {{0, 1}});
    EXPECT_NEAR(varianceAt(stretched.overlaid[1].variance, 500), 2, 1e-9);
    EXPECT_NEAR(stretched.overlaid[1].variance.back().varianceCs, 4, 1e-9);
}

TEST(LapComparisonTest, FastestLapIsTheReference_LapListAndWhatIsLeftOut) {
    // Session 1: 12 s, 11 s and a 9 s lap the log holds no samples of;
    // session 2: 10 s, then eight laps of 13 s.
    const LogSession first = sessionOf({{{1000, 12}}, {{1000, 11}}}, {900});
    std::vector<Lap> many = {{{1000, 10}}};
    many.insert(many.end(), 8, Lap{{1000, 13}});
    const LogSession second = sessionOf(many);
    std::vector<SessionLap> asked = {{0, 3}, {0, 7}, {0, 1}};
    for (int lap = 1; lap <= 9; ++lap) {
        asked.push_back({1, lap});
    }
    const LapComparison comparison = compareLaps({&first, &second}, asked);

    ASSERT_EQ(comparison.reference, std::optional(SessionLap{1, 1}));
    ASSERT_EQ(comparison.laps.size(), 12u);
    EXPECT_EQ(comparison.laps[0].behindReferenceCs, 200);
    EXPECT_EQ(comparison.laps[2].behindReferenceCs, -100);
    EXPECT_FALSE(comparison.laps[2].hasSamples);
    ASSERT_EQ(comparison.overlaid.size(), kMostOverlaidLaps);
    EXPECT_EQ(comparison.overlaid[0].lap, (SessionLap{1, 1}));
    EXPECT_EQ(comparison.overlaid[1].lap, (SessionLap{0, 1}));
    EXPECT_EQ(comparison.overlaid.back().lap, (SessionLap{1, 7}));
    const std::vector<std::string> notes = {
        "Session 1 lap 3 has no samples in the log.", "Session 1 lap 7 is not in the lap files.",
        "Session 2 lap 8 is left out: at most 8 laps are overlaid.",
        "Session 2 lap 9 is left out: at most 8 laps are overlaid."};
    EXPECT_EQ(comparison.notes, notes);

    const LapComparison chosen = compareLaps({&first, &second}, {}, {{0, 3}});
    EXPECT_EQ(chosen.reference, std::optional(SessionLap{1, 1}));
    EXPECT_EQ(chosen.notes.size(), 1u);
}

}  // namespace
