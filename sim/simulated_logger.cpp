#include "sim/simulated_logger.h"

#include <chrono>
#include <stdexcept>
#include <utility>

namespace ktr90 {

SimulatedLogger::SimulatedLogger(Scenario scenario, LoggerOptions options)
    : m_scenario(std::move(scenario)),
      m_options(std::move(options)),
      m_transcript(m_options.transcriptPath, m_options.keepTranscript),
      m_thread([this] { serve(); }) {}

SimulatedLogger::~SimulatedLogger() {
    stop();
    writeImageIfAsked();
}

bool SimulatedLogger::waitForCommands(std::size_t count, int timeoutMs) const {
    return m_transcript.waitForCommands(count, timeoutMs);
}

bool SimulatedLogger::waitUntilFinished(int timeoutMs) const {
    std::unique_lock lock(m_endMutex);
    return m_ended.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                            [this] { return m_finished.load(); });
}

Ending SimulatedLogger::ending() const {
    const std::lock_guard lock(m_endMutex);
    return m_ending;
}

bool SimulatedLogger::waitUntilRead(int timeoutMs) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_terminal.unreadByProgram() > 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void SimulatedLogger::hangUpNow() {
    stop();
    if (m_terminal.masterOpen()) {
        m_transcript.add(Direction::Note, "hung up on request");
        m_terminal.closeMaster();
    }
}

void SimulatedLogger::stop() {
    m_stop.raise();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void SimulatedLogger::serve() {
    Ending ending = Ending::LineFailed;
    try {
        ending =
            ServingLoop(m_scenario, m_options, m_terminal, m_stop, m_transcript, m_image).run();
    } catch (const std::exception& error) {
        // Nothing may escape the thread; the transcript keeps the reason.
        m_transcript.add(Direction::Note, error.what());
    }
    const std::lock_guard lock(m_endMutex);
    m_ending = ending;
    m_finished = true;
    m_ended.notify_all();
}

void SimulatedLogger::writeImageIfAsked() {
    const std::vector<std::string> lines = m_image.lines();
    if (m_options.imageOutPath.empty() || lines.empty()) {
        return;
    }
    try {
        writeImageFile(m_options.imageOutPath, lines);
    } catch (const std::runtime_error&) {
        // A destructor must not throw; SUPE already reported a failing file.
    }
}

}  // namespace ktr90
