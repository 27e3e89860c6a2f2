#include "viewer/axis_ticks.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kFewestTicks = 3;

// The next smaller step of the 1-2-5 series.
double smallerStep(double step) {
    const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    const double mantissa = std::round(step / power);
    return mantissa >= 5 ? 2 * power : mantissa >= 2 ? power : power / 2;
}

std::vector<double> multiplesWithin(double low, double high, double step) {
    std::vector<double> ticks;
    for (double index = std::ceil(low / step - 1e-9); index * step <= high + step * 1e-9; ++index) {
        ticks.push_back(index * step);  // from the index: no error piles up along the axis
    }
    return ticks;
}
}  // namespace

double niceStep(double span, int wanted) {
    const double raw = span / std::max(wanted, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (raw <= m * power) {
            return m * power;
        }
    }
    return 10 * power;
}

double timeStep(double spanCs, int wanted) {
    static constexpr double kSteps[] = {1,     2,     5,      10,     20,     50,     100,
                                        200,   500,   1000,   1500,   3000,   6000,   12000,
                                        30000, 60000, 120000, 180000, 360000, 720000, 1440000};
    for (const double step : kSteps) {
        if (spanCs / step <= wanted) {
            return step;
        }
    }
    return niceStep(spanCs, wanted);
}

std::vector<double> valueTicks(double low, double high, int wanted) {
    if (!(high > low) || !std::isfinite(high - low)) {
        return {};
    }
    double step = niceStep(high - low, std::max(wanted, kFewestTicks));
    std::vector<double> ticks = multiplesWithin(low, high, step);
    while (ticks.size() < kFewestTicks) {
        step = smallerStep(step);
        ticks = multiplesWithin(low, high, step);
    }
    return ticks;
}
