#pragma once

// The simulated KTR-90 logger: a pseudo-terminal whose slave side a program
// opens like the logger's USB-serial port, answered at the logger's end on a
// thread of its own.
//
//   ktr90::Scenario scenario = ktr90::generatedSession(7);   // or built by hand
//   scenario.faults.push_back(ktr90::parseFault("SplitReply@DRED#3:gap=20"));
//   ktr90::SimulatedLogger logger(scenario);
//   open(logger.portPath().c_str(), O_RDWR | O_NOCTTY);      // the program's side
//   logger.waitForCommands(5, 1000);
//   logger.receivedCommands();   // {"DSTA,1", "DRED", ...}
//   logger.transcript();         // every command and write, timed
//   logger.receivedImage();      // SUPD lines of the last update
//   logger.hangUpNow();          // as if the cable were pulled
//
// The destructor stops the thread and closes the terminal.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/generated_session.h"
#include "sim/pseudo_terminal.h"
#include "sim/received_image.h"
#include "sim/records.h"
#include "sim/scenario.h"
#include "sim/serving_loop.h"
#include "sim/stop_signal.h"
#include "sim/transcript.h"

namespace ktr90 {

class SimulatedLogger {
public:
    // Starts serving at once. Throws std::runtime_error when the terminal or
    // the transcript file cannot be had.
    explicit SimulatedLogger(Scenario scenario, LoggerOptions options = {});
    ~SimulatedLogger();
    SimulatedLogger(const SimulatedLogger&) = delete;
    SimulatedLogger& operator=(const SimulatedLogger&) = delete;

    const std::string& portPath() const { return m_terminal.slavePath(); }

    std::vector<TranscriptEntry> transcript() const { return m_transcript.entries(); }
    std::vector<std::string> receivedCommands() const { return m_transcript.commands(); }
    std::vector<std::string> receivedImage() const { return m_image.lines(); }
    bool waitForCommands(std::size_t count, int timeoutMs) const;

    // Whether the logger has stopped serving, and why.
    bool finished() const { return m_finished.load(); }
    bool waitUntilFinished(int timeoutMs) const;
    Ending ending() const;
    // True once the program has read everything sent, or false after timeoutMs.
    bool waitUntilRead(int timeoutMs) const;

    // Drops the line as a pulled cable does; the logger serves no more.
    void hangUpNow();
    // Stops serving and waits for the thread; the terminal stays open.
    void stop();

private:
    void serve();
    void writeImageIfAsked();

    const Scenario m_scenario;
    const LoggerOptions m_options;
    PseudoTerminal m_terminal;
    StopSignal m_stop;
    Transcript m_transcript;
    ReceivedImage m_image;

    mutable std::mutex m_endMutex;
    mutable std::condition_variable m_ended;
    std::atomic<bool> m_finished{false};
    Ending m_ending = Ending::Stopped;
    std::thread m_thread;  // last: starts once everything above exists
};

}  // namespace ktr90
