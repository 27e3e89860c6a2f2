#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "sim/reply_shaping.h"
#include "sim/stop_signal.h"
#include "sim/transcript.h"

namespace ktr90 {

// How much like a real cable the line behaves. Zero means as fast as the
// pseudo-terminal goes.
struct LinePace {
    int baud = 0;       // bytes take 10 bits each (8N1): 86.8 us at 115200
    int latencyMs = 0;  // the cable holds each write this long (FTDI: 16, tuned: 1)

    std::chrono::microseconds transmitTime(std::size_t bytes) const;
};

// Puts timed writes on the line, pacing them and noting each in the
// transcript as it starts. Every wait gives way to the stop signal.
class PacedWriter {
public:
    PacedWriter(int fd, LinePace pace, const StopSignal& stop, Transcript& transcript);

    // False when stopped or when the line failed before all was written.
    bool send(const std::vector<TimedWrite>& writes);

private:
    bool sendOne(const TimedWrite& write);
    bool writeAll(std::string_view bytes);
    bool waitWritable();

    int m_fd;
    LinePace m_pace;
    const StopSignal& m_stop;
    Transcript& m_transcript;
};

}  // namespace ktr90
