// Every pane's axis shows at least three labelled values, at steps that read.
#include <gtest/gtest.h>

#include <vector>

#include "viewer/axis_ticks.h"

TEST(AxisTicksTest, AtLeastThreeNiceValuesWithinTheRange) {
    struct Case {
        double low, high;
        int wanted;
        std::vector<double> ticks;
    };
    const Case cases[] = {
        {0, 8, 1, {0, 2, 4, 6, 8}},     // a low volt pane once showed "0" and "5"
        {38.5, 41.2, 2, {39, 40, 41}},  // temperatures
        {-100, 100, 4, {-100, -50, 0, 50, 100}},
        {7.31, 7.42, 1, {7.32, 7.34, 7.36, 7.38, 7.4, 7.42}},  // a tight band
        {5, 5, 3, {}},                                         // nothing to divide
    };
    for (const Case& c : cases) {
        const std::vector<double> ticks = valueTicks(c.low, c.high, c.wanted);
        ASSERT_EQ(ticks.size(), c.ticks.size()) << c.low << ".." << c.high;
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            EXPECT_NEAR(ticks[i], c.ticks[i], 1e-9) << c.low << ".." << c.high;
        }
    }
}
