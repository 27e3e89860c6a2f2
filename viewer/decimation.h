#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A channel reduced to the pixel columns it covers: drawing each column's
// minimum-to-maximum stroke and joining neighbouring columns shows every
// spike of any number of samples in a few thousand lines.
struct PixelColumn {
    int x = 0;  // -1 and width hold the nearest samples outside the view
    float low = 0;
    float high = 0;
    float first = 0;  // the column's first and last values, to join the neighbours
    float last = 0;
    std::size_t firstIndex = 0;
    std::size_t lastIndex = 0;
};

// The columns of times [startCs, endCs) drawn over width pixels, with the
// sample times shifted by offsetCs first. A NaN value is a gap: no column
// holds it, and columns on either side of it are not joined.
std::vector<PixelColumn> decimate(std::span<const std::int32_t> timesCs,
                                  std::span<const float> values, double startCs, double endCs,
                                  int width, double offsetCs = 0);

// Whether a line joins two neighbouring columns: no gap between them.
inline bool joined(const PixelColumn& left, const PixelColumn& right) {
    return right.firstIndex == left.lastIndex + 1;
}
