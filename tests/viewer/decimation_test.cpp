// Decimation must never hide a spike, nor join a line across a gap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "viewer/decimation.h"

namespace {

// A slow wave sampled every 10 cs: times and values.
std::pair<std::vector<std::int32_t>, std::vector<float>> wavy(std::size_t count) {
    std::pair<std::vector<std::int32_t>, std::vector<float>> s;
    for (std::size_t i = 0; i < count; ++i) {
        s.first.push_back(static_cast<std::int32_t>(i) * 10);
        s.second.push_back(static_cast<float>(std::sin(static_cast<double>(i) * 0.01) * 100));
    }
    return s;
}

TEST(DecimationTest, SingleSampleSpikes_SurviveEveryZoomAndWidth) {
    auto [times, values] = wavy(65535);
    const std::pair<std::size_t, float> spikes[] = {{40'001, 5000}, {40'017, -5000}};
    for (const auto& [index, value] : spikes) {
        values[index] = value;
    }
    for (const double span : {655350.0, 100000.0, 12345.0, 1000.0, 170.0, 30.0}) {
        for (const int width : {37, 600, 1913}) {
            for (const double shift : {0.0, 0.37, 0.91}) {
                SCOPED_TRACE(testing::Message() << span << " " << width << " " << shift);
                const double start = std::max(0.0, times[40'001] - span * shift);
                const auto columns = decimate(times, values, start, start + span, width);
                for (const auto& [index, value] : spikes) {
                    if (times[index] >= start + span) {
                        continue;  // right of the view
                    }
                    const auto holding = std::find_if(columns.begin(), columns.end(), [&](auto& c) {
                        return c.firstIndex <= index && index <= c.lastIndex;
                    });
                    ASSERT_NE(holding, columns.end());
                    EXPECT_EQ(value > 0 ? holding->high : holding->low, value);
                }
                // Never more strokes than pixels, plus the two neighbours outside.
                EXPECT_LE(columns.size(), static_cast<std::size_t>(width) + 2);
                EXPECT_GE(columns.front().x, -1);
                EXPECT_LE(columns.back().x, width);
            }
        }
    }
}

TEST(DecimationTest, Gaps_AreNotJoinedButLinesReachTheEdges) {
    auto [times, values] = wavy(100);
    values[50] = NAN;  // a sensor without a value
    const auto columns = decimate(times, values, 105, 895, 200);
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(columns.front().x, -1);  // the sample at 100, left of the view
    EXPECT_EQ(columns.back().x, 200);  // the sample at 900, right of it
    for (std::size_t i = 1; i < columns.size(); ++i) {
        const bool acrossGap = columns[i - 1].lastIndex == 49 && columns[i].firstIndex == 51;
        EXPECT_EQ(joined(columns[i - 1], columns[i]), !acrossGap);
        EXPECT_NE(columns[i].firstIndex, 50u);
    }
}

}  // namespace
