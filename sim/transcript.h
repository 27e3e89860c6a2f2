#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace ktr90 {

enum class Direction {
    Received,  // a command line from the program, line end included
    Sent,      // one write of the logger to the line
    Note,      // what the logger did besides talking, e.g. hanging up
};

struct TranscriptEntry {
    std::int64_t timeMs = 0;  // since the logger started
    Direction direction = Direction::Received;
    std::string bytes;
};

// Everything said on the line, in order and timed, safe to read from any
// thread while the logger serves. Optionally mirrored to a file as it happens;
// kept in memory only when asked for, as a long-running logger would
// otherwise grow without end (commands are counted either way).
class Transcript {
public:
    // Throws std::runtime_error when the file cannot be created.
    explicit Transcript(const std::string& filePath = {}, bool keepInMemory = true);

    void add(Direction direction, std::string bytes);
    std::vector<TranscriptEntry> entries() const;
    // The received command lines, in order, without their line ends.
    std::vector<std::string> commands() const;
    // True once at least count commands have arrived; false after timeoutMs.
    bool waitForCommands(std::size_t count, int timeoutMs) const;
    std::int64_t elapsedMs() const;

private:
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_commandArrived;
    std::vector<TranscriptEntry> m_entries;
    std::size_t m_commandCount = 0;
    bool m_keepInMemory;
    std::ofstream m_file;
};

// One line of the transcript file: time, direction, bytes escaped.
std::string formatEntry(const TranscriptEntry& entry);

}  // namespace ktr90
