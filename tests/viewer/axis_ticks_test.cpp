// Every pane's axis shows at least three labelled values, at steps that read,
// on the whole log's scale or one fitted to the time shown.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "viewer/axis_ticks.h"
#include "viewer/file_pairing.h"
#include "viewer/plot_view.h"

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

// Fitted to the time shown, a pane's scale holds every value shown and is
// narrower than the whole log's.
TEST(AxisTicksTest, AutoscaleFitsTheScaleToTheTimeShown) {
    const std::string golden = std::string(DATADOCK_TEST_DATA_DIR) + "/golden/normal_";
    const auto loaded = loadSession({golden + "log.csv", golden + "lap.csv"});
    const LogSession& session = std::get<LogSession>(loaded);
    PlotView view;
    resetView(session, view);
    showRange(session, view, 0, 500);
    const ValueRange whole = shownRange(session, view, Channel::Rpm);
    view.autoscale = true;
    const ValueRange fitted = shownRange(session, view, Channel::Rpm);
    EXPECT_LT(fitted.high - fitted.low, whole.high - whole.low);
    const auto& rpm = session.log.values[static_cast<std::size_t>(Channel::Rpm)];
    for (std::size_t i = 0; session.log.timesCs[i] <= 500; ++i) {
        EXPECT_TRUE(std::isnan(rpm[i]) || (rpm[i] >= fitted.low && rpm[i] <= fitted.high)) << i;
    }
}
