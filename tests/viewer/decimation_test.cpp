// Decimation must never hide a spike, nor join a line across a gap.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "viewer/decimation.h"

namespace {

struct Series {
    std::vector<std::int32_t> times;
    std::vector<float> values;
};

Series wavy(std::size_t count) {
    Series s;
    for (std::size_t i = 0; i < count; ++i) {
        s.times.push_back(static_cast<std::int32_t>(i) * 10);
        s.values.push_back(static_cast<float>(std::sin(static_cast<double>(i) * 0.01) * 100));
    }
    return s;
}

const PixelColumn* columnHolding(const std::vector<PixelColumn>& columns, std::size_t index) {
    for (const PixelColumn& c : columns) {
        if (c.firstIndex <= index && index <= c.lastIndex) {
            return &c;
        }
    }
    return nullptr;
}

TEST(DecimationTest, SingleSampleSpikes_SurviveEveryZoomAndWidth) {
    Series s = wavy(65535);
    const std::size_t up = 40'001;
    const std::size_t down = 40'017;
    s.values[up] = 5000;
    s.values[down] = -5000;
    const double spikeTime = s.times[up];
    for (const double span : {655350.0, 100000.0, 12345.0, 1000.0, 170.0, 30.0}) {
        for (const int width : {37, 600, 1913}) {
            for (const double shift : {0.0, 0.37, 0.91}) {
                const double start = std::max(0.0, spikeTime - span * shift);
                const auto columns = decimate(s.times, s.values, start, start + span, width);
                const PixelColumn* column = columnHolding(columns, up);
                ASSERT_NE(column, nullptr) << span << " " << width << " " << shift;
                EXPECT_EQ(column->high, 5000) << span << " " << width << " " << shift;
                if (s.times[down] < start + span) {
                    const PixelColumn* low = columnHolding(columns, down);
                    ASSERT_NE(low, nullptr);
                    EXPECT_EQ(low->low, -5000);
                }
                // Never more strokes than pixels, plus the two neighbours outside.
                EXPECT_LE(columns.size(), static_cast<std::size_t>(width) + 2);
                for (const PixelColumn& c : columns) {
                    EXPECT_GE(c.x, -1);
                    EXPECT_LE(c.x, width);
                }
            }
        }
    }
}

TEST(DecimationTest, Gaps_AreNotJoinedButLinesReachTheEdges) {
    Series s = wavy(100);
    s.values[50] = NAN;  // a sensor without a value
    const auto columns = decimate(s.times, s.values, 105, 895, 200);
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
