#pragma once

#include <atomic>
#include <chrono>

namespace ktr90 {

// A self-pipe that wakes the serving thread out of poll() and out of any
// pause, so that stopping never waits for a time-out.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void raise();
    bool raised() const { return m_raised.load(); }
    // Becomes readable once raised; for poll() next to other descriptors.
    int fd() const { return m_readEnd; }
    // Pauses for the duration; false when raised before or during it.
    bool pause(std::chrono::microseconds duration) const;

private:
    int m_readEnd = -1;
    int m_writeEnd = -1;
    std::atomic<bool> m_raised{false};
};

}  // namespace ktr90
