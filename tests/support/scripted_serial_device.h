#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "serial/serial_device.h"
#include "tests/support/fake_clock.h"

// A serial device that plays a script against a FakeClock: each chunk arrives
// at its time and is handed out by one read; writes are captured; setting
// the line and closing fail on demand; the device can hang up.
class ScriptedSerialDevice final : public SerialDevice {
public:
    explicit ScriptedSerialDevice(FakeClock& clock) : m_clock(clock) {}

    // The script, in arrival order. atMs counts from the clock's start.
    void arrive(std::string bytes, std::int64_t atMs = 0) {
        m_script.push_back({atMs, std::move(bytes)});
    }
    void hangUpAt(std::int64_t atMs) { m_hangUpAtMs = atMs; }
    // Replies to the next writes, one per write, arriving at once; an empty
    // reply is silence. Once they run out, writes get no reply.
    std::deque<std::string> replies;

    bool failSetLine = false;
    bool failClose = false;
    std::vector<std::string> written;
    std::vector<std::int64_t> writtenAtMs;  // when each write came, from the clock's start
    int reads = 0;
    // A receive or transfer that keeps reading this often has lost its way
    // (no reply in the script is that long): the read fails the test and the
    // port, so that the code under test ends instead of hanging the suite.
    static constexpr int kRunawayReads = 1'000'000;
    bool isOpen = false;
    std::string openedName;

    bool open(const std::string& name) override {
        isOpen = true;
        openedName = name;
        return true;
    }
    bool makeReadsReturnAtOnce() override { return true; }
    bool setLine(const LineSettings&) override { return !failSetLine || fail("Invalid argument"); }
    void clearErrors() override {}
    long readNow(char* buffer, std::size_t capacity) override;
    WaitResult waitReadable(int timeoutMs) override;
    long write(const char* data, std::size_t size) override;
    bool close() override {
        if (failClose) {
            return fail("Bad file descriptor");
        }
        isOpen = false;
        return true;
    }
    DeviceError lastError() const override { return m_error; }

private:
    struct Chunk {
        std::int64_t atMs;
        std::string bytes;
    };
    bool due(const Chunk& chunk) const { return m_startMs + chunk.atMs <= m_clock.monotonicMs(); }
    bool hungUp() const {
        return m_hangUpAtMs >= 0 && m_startMs + m_hangUpAtMs <= m_clock.monotonicMs();
    }
    bool fail(const std::string& text) {
        m_error = DeviceError{text, DeviceProblem::Other};
        return false;
    }

    FakeClock& m_clock;
    std::int64_t m_startMs = m_clock.monotonicMs();
    std::deque<Chunk> m_script;
    std::int64_t m_hangUpAtMs = -1;
    DeviceError m_error;
};
