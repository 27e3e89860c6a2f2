#pragma once

#include <chrono>
#include <thread>

#include "serial/clock.h"

// Real time, running `factor` times faster: pauses and time-outs keep their
// proportions against a real logger on a real line, at a fraction of the cost.
class ScaledClock final : public Clock {
public:
    explicit ScaledClock(int factor) : m_factor(factor) {}

    std::int64_t monotonicMs() override {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() *
               m_factor;
    }
    void sleepMs(int milliseconds) override {
        std::this_thread::sleep_for(std::chrono::microseconds(milliseconds * 1000LL / m_factor));
    }
    int realWaitMs(int milliseconds) override { return (milliseconds + m_factor - 1) / m_factor; }

private:
    int m_factor;
};
