#include "sim/paced_writer.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace ktr90 {
namespace {

// An FTDI chip forwards at most this many bytes in one USB packet.
constexpr std::size_t kPacketBytes = 62;
constexpr int kBitsPerByte = 10;

}  // namespace

std::chrono::microseconds LinePace::transmitTime(std::size_t bytes) const {
    if (baud <= 0) {
        return std::chrono::microseconds(0);
    }
    const auto bits = static_cast<long long>(bytes) * kBitsPerByte;
    return std::chrono::microseconds(bits * 1'000'000 / baud);
}

PacedWriter::PacedWriter(int fd, LinePace pace, const StopSignal& stop, Transcript& transcript)
    : m_fd(fd), m_pace(pace), m_stop(stop), m_transcript(transcript) {}

bool PacedWriter::send(const std::vector<TimedWrite>& writes) {
    return std::all_of(writes.begin(), writes.end(),
                       [this](const TimedWrite& write) { return sendOne(write); });
}

bool PacedWriter::sendOne(const TimedWrite& write) {
    const int holdMs = write.delayMs + m_pace.latencyMs;
    if (!m_stop.pause(std::chrono::milliseconds(holdMs))) {
        return false;
    }
    // Noted before the bytes go, so whoever has read them finds them noted.
    m_transcript.add(Direction::Sent, write.bytes);
    const std::string_view bytes = write.bytes;
    // The program sees each packet once its last byte has crossed the line.
    for (std::size_t at = 0; at < bytes.size(); at += kPacketBytes) {
        const std::string_view packet = bytes.substr(at, kPacketBytes);
        if (!m_stop.pause(m_pace.transmitTime(packet.size())) || !writeAll(packet)) {
            m_transcript.add(Direction::Note, "the write above was cut short");
            return false;
        }
    }
    return true;
}

bool PacedWriter::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
        } else if (written < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else if (!waitWritable()) {
            return false;
        }
    }
    return true;
}

// A program that stops reading fills the terminal's buffer; wait for room
// rather than block, so a stop request still gets through.
bool PacedWriter::waitWritable() {
    pollfd fds[2] = {{m_fd, POLLOUT, 0}, {m_stop.fd(), POLLIN, 0}};
    while (::poll(fds, 2, -1) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return !m_stop.raised() && (fds[0].revents & POLLOUT) != 0;
}

}  // namespace ktr90
