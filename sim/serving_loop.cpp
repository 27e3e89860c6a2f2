#include "sim/serving_loop.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "sim/command.h"
#include "sim/records.h"

namespace ktr90 {

ServingLoop::ServingLoop(const Scenario& scenario, const LoggerOptions& options,
                         PseudoTerminal& terminal, const StopSignal& stop, Transcript& transcript,
                         ReceivedImage& image)
    : m_options(options),
      m_terminal(terminal),
      m_stop(stop),
      m_transcript(transcript),
      m_image(image),
      m_protocol(scenario, image),
      m_faults(scenario.faults),
      m_writer(terminal.master(), options.pace, stop, transcript) {}

Ending ServingLoop::run() {
    while (!m_stop.raised()) {
        if (m_options.once && m_conversation.over(m_transcript.elapsedMs())) {
            return Ending::ConversationOver;
        }
        if (!waitForBytes()) {
            continue;
        }
        char buffer[4096];
        const ssize_t count = ::read(m_terminal.master(), buffer, sizeof buffer);
        if (count < 0 && (errno == EAGAIN || errno == EINTR)) {
            continue;
        }
        if (count <= 0) {
            m_transcript.add(Direction::Note, "the line failed");
            return Ending::LineFailed;
        }
        for (const auto& line : m_splitter.feed({buffer, static_cast<std::size_t>(count)})) {
            if (!answer(line)) {
                return m_ending;
            }
        }
    }
    return Ending::Stopped;
}

// True when the line has something to read (or has failed, which the read
// then reports); false on a stop or after a short quiet spell.
bool ServingLoop::waitForBytes() {
    pollfd fds[2] = {{m_terminal.master(), POLLIN, 0}, {m_stop.fd(), POLLIN, 0}};
    const int ready = ::poll(fds, 2, kPollMs);
    if (ready == 0) {
        whileQuiet();
    }
    return ready > 0 && !m_stop.raised() && fds[0].revents != 0;
}

bool ServingLoop::answer(const LineSplitter::Line& line) {
    ++m_exchange;
    m_lastCommandMs = m_transcript.elapsedMs();
    m_transcript.add(Direction::Received, line.bytes);
    const std::string command = withoutLineEnd(line.bytes);
    const std::vector<Fault> active = m_faults.activeFor(m_exchange, command);
    if (hangsUp(active)) {
        m_transcript.add(Direction::Note, "hung up at exchange " + std::to_string(m_exchange));
        m_terminal.closeMaster();
        m_ending = Ending::HungUp;
        return false;
    }
    const std::string reply = replyTo(line, command, active);
    if (command == "SUPE" && !refusesCommand(active)) {
        keepImage();  // before the reply, so the file is there once SUPE is answered
    }
    if (!m_writer.send(shapeReply(reply, active))) {
        m_ending = m_stop.raised() ? Ending::Stopped : Ending::LineFailed;
        return false;
    }
    m_conversation.onCommand(command, m_transcript.elapsedMs());
    return true;
}

std::string ServingLoop::replyTo(const LineSplitter::Line& line, const std::string& command,
                                 const std::vector<Fault>& active) {
    if (refusesCommand(active)) {
        return {};  // the fault supplies the answer, if any
    }
    if (line.tooLong) {
        return kRefused;
    }
    return m_protocol.answer(command);
}

void ServingLoop::keepImage() {
    if (m_options.imageOutPath.empty()) {
        return;
    }
    try {
        writeImageFile(m_options.imageOutPath, m_image.lines());
    } catch (const std::runtime_error& error) {
        m_transcript.add(Direction::Note, error.what());
    }
}

void ServingLoop::whileQuiet() {
    if (m_transcript.elapsedMs() - m_lastCommandMs >= kQuietBeforeReleaseMs) {
        m_terminal.releaseExclusiveUse();
    }
}

}  // namespace ktr90
