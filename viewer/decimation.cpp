#include "viewer/decimation.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::vector<PixelColumn> decimate(std::span<const std::int32_t> timesCs,
                                  std::span<const float> values, double startCs, double endCs,
                                  int width, double offsetCs) {
    std::vector<PixelColumn> columns;
    if (width <= 0 || endCs <= startCs || timesCs.empty()) {
        return columns;
    }
    // One sample either side of the view, so that lines run to its edges.
    const auto firstIn = std::lower_bound(timesCs.begin(), timesCs.end(), startCs - offsetCs);
    const auto lastIn = std::lower_bound(timesCs.begin(), timesCs.end(), endCs - offsetCs);
    const std::size_t from = static_cast<std::size_t>(firstIn - timesCs.begin());
    const std::size_t to =
        std::min(static_cast<std::size_t>(lastIn - timesCs.begin()) + 1, timesCs.size());
    const double pixelsPerCs = width / (endCs - startCs);
    columns.reserve(std::min<std::size_t>(to - from + 2, static_cast<std::size_t>(width) + 2));
    // The column changes only when a sample reaches the next column's start,
    // so most samples cost a comparison and their minimum and maximum.
    double nextColumnCs = -std::numeric_limits<double>::infinity();
    for (std::size_t i = from > 0 ? from - 1 : 0; i < to; ++i) {
        const float v = values[i];
        if (std::isnan(v)) {
            continue;
        }
        const double t = timesCs[i] + offsetCs;
        if (t >= nextColumnCs) {
            const double position = std::floor((t - startCs) * pixelsPerCs);
            const int x = static_cast<int>(std::clamp(position, -1.0, static_cast<double>(width)));
            nextColumnCs = x >= width ? std::numeric_limits<double>::infinity()
                                      : startCs + (x + 1) / pixelsPerCs;
            if (columns.empty() || columns.back().x != x) {
                columns.push_back({x, v, v, v, v, i, i});
                continue;
            }
        }
        PixelColumn& column = columns.back();
        column.low = std::min(column.low, v);
        column.high = std::max(column.high, v);
        column.last = v;
        column.lastIndex = i;
    }
    return columns;
}
