#pragma once

#include <cstdint>

#include "serial/clock.h"

// A clock that only moves when told to, or when the code under test sleeps.
class FakeClock final : public Clock {
public:
    explicit FakeClock(std::int64_t startMs = 1'000'500) : m_nowMs(startMs) {}

    std::int64_t monotonicMs() override { return m_nowMs; }
    void sleepMs(int milliseconds) override { m_nowMs += milliseconds; }
    void advance(std::int64_t milliseconds) { m_nowMs += milliseconds; }

private:
    std::int64_t m_nowMs;
};
