#pragma once

#include <cstdint>

// Time as the serial layer and the transfers see it: a monotonic clock and a
// sleep. Tests inject a fake so that time-outs and pauses cost no real time.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a clock that never jumps (not the wall clock).
    virtual std::int64_t monotonicMs() = 0;
    virtual void sleepMs(int milliseconds) = 0;
    // How long a real wait (poll) must last for milliseconds to pass on this
    // clock; a clock that runs faster than real time in tests shortens it.
    virtual int realWaitMs(int milliseconds) { return milliseconds; }
};

// The real clock of this machine.
Clock& systemClock();
