#include "sim/transcript.h"

#include <cstdio>
#include <stdexcept>

#include "sim/command.h"
#include "text/escaped_bytes.h"

namespace ktr90 {

Transcript::Transcript(const std::string& filePath, bool keepInMemory)
    : m_keepInMemory(keepInMemory) {
    if (filePath.empty()) {
        return;
    }
    m_file.open(filePath, std::ios::binary | std::ios::trunc);
    if (!m_file) {
        throw std::runtime_error("cannot create transcript file " + filePath);
    }
}

void Transcript::add(Direction direction, std::string bytes) {
    const std::lock_guard lock(m_mutex);
    TranscriptEntry entry{elapsedMs(), direction, std::move(bytes)};
    if (m_file.is_open()) {
        // Flushed at once so the file tells what happened even after a crash.
        m_file << formatEntry(entry) << std::endl;
    }
    if (m_keepInMemory) {
        m_entries.push_back(std::move(entry));
    }
    if (direction == Direction::Received) {
        ++m_commandCount;
        m_commandArrived.notify_all();
    }
}

std::vector<TranscriptEntry> Transcript::entries() const {
    const std::lock_guard lock(m_mutex);
    return m_entries;
}

std::vector<std::string> Transcript::commands() const {
    const std::lock_guard lock(m_mutex);
    std::vector<std::string> lines;
    for (const TranscriptEntry& entry : m_entries) {
        if (entry.direction == Direction::Received) {
            lines.push_back(withoutLineEnd(entry.bytes));
        }
    }
    return lines;
}

bool Transcript::waitForCommands(std::size_t count, int timeoutMs) const {
    std::unique_lock lock(m_mutex);
    return m_commandArrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                     [&] { return m_commandCount >= count; });
}

std::int64_t Transcript::elapsedMs() const {
    const auto elapsed = std::chrono::steady_clock::now() - m_start;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

std::string formatEntry(const TranscriptEntry& entry) {
    static constexpr const char* kWords[] = {"recv", "sent", "note"};
    char time[32];
    std::snprintf(time, sizeof time, "%8lld ", static_cast<long long>(entry.timeMs));
    return time + std::string(kWords[static_cast<int>(entry.direction)]) + " " +
           EscapedBytes(entry.bytes);
}

}  // namespace ktr90
