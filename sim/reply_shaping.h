#pragma once

#include <string>
#include <vector>

#include "sim/fault.h"

namespace ktr90 {

// One write to the line, made delayMs after the one before it (or after the
// command, for the first).
struct TimedWrite {
    int delayMs = 0;
    std::string bytes;
};

// Turns the logger's reply into what actually goes on the line under the
// active faults: content first (replace, cut, add), then silence, then timing.
// No faults gives one immediate write; a silenced reply gives none.
std::vector<TimedWrite> shapeReply(const std::string& reply, const std::vector<Fault>& active);

}  // namespace ktr90
