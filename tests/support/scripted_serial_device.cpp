#include "tests/support/scripted_serial_device.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

long ScriptedSerialDevice::readNow(char* buffer, std::size_t capacity) {
    if (++reads == kRunawayReads) {
        ADD_FAILURE() << "the port was read " << reads << " times: a receive that never ends";
    }
    if (reads >= kRunawayReads) {
        fail("runaway receive stopped by the test");
        return -1;
    }
    if (hungUp() && (m_script.empty() || !due(m_script.front()))) {
        fail("Input/output error");
        return -1;
    }
    if (m_script.empty() || !due(m_script.front())) {
        return 0;
    }
    Chunk& next = m_script.front();
    const std::size_t count = std::min(capacity, next.bytes.size());
    std::memcpy(buffer, next.bytes.data(), count);
    next.bytes.erase(0, count);
    if (next.bytes.empty()) {
        m_script.pop_front();
    }
    return static_cast<long>(count);
}

WaitResult ScriptedSerialDevice::waitReadable(int timeoutMs) {
    const std::int64_t until = m_clock.monotonicMs() + timeoutMs;
    std::int64_t wakeAt = until;
    if (!m_script.empty()) {
        wakeAt = std::min(wakeAt, m_startMs + m_script.front().atMs);
    }
    if (m_hangUpAtMs >= 0) {
        wakeAt = std::min(wakeAt, m_startMs + m_hangUpAtMs);
    }
    m_clock.advance(std::max<std::int64_t>(0, wakeAt - m_clock.monotonicMs()));
    if (!m_script.empty() && due(m_script.front())) {
        return WaitResult::Readable;
    }
    return hungUp() ? WaitResult::HungUp : WaitResult::TimedOut;
}

long ScriptedSerialDevice::write(const char* data, std::size_t size) {
    if (hungUp()) {
        fail("Input/output error");
        return -1;
    }
    written.emplace_back(data, size);
    writtenAtMs.push_back(m_clock.monotonicMs() - m_startMs);
    if (!replies.empty()) {
        if (!replies.front().empty()) {
            m_script.push_back({m_clock.monotonicMs() - m_startMs, replies.front()});
        }
        replies.pop_front();
    }
    return static_cast<long>(size);
}
