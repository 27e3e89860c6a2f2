#pragma once

#include <cstdint>
#include <string>

#include "sim/conversation_watch.h"
#include "sim/fault_plan.h"
#include "sim/line_splitter.h"
#include "sim/logger_protocol.h"
#include "sim/paced_writer.h"
#include "sim/pseudo_terminal.h"

namespace ktr90 {

struct LoggerOptions {
    LinePace pace;
    std::string transcriptPath;  // mirror of the transcript; none when empty
    std::string imageOutPath;    // received image, written at SUPE; none when empty
    bool once = false;           // stop serving after one conversation
    // Whether the transcript is kept in memory for reading back (it grows
    // with every exchange); the file is written either way.
    bool keepTranscript = true;
};

enum class Ending {
    Stopped,           // asked to stop
    ConversationOver,  // serving once, and the conversation ended
    HungUp,            // a HangUpAt fault dropped the line
    LineFailed,        // the pseudo-terminal failed
};

// The logger at work on its thread: reads command lines from the master side,
// answers each through the protocol and the fault plan, until it must end.
class ServingLoop {
public:
    ServingLoop(const Scenario& scenario, const LoggerOptions& options, PseudoTerminal& terminal,
                const StopSignal& stop, Transcript& transcript, ReceivedImage& image);

    Ending run();

private:
    static constexpr int kPollMs = 50;
    static constexpr int kQuietBeforeReleaseMs = 300;

    bool waitForBytes();
    bool answer(const LineSplitter::Line& line);
    std::string replyTo(const LineSplitter::Line& line, const std::string& command,
                        const std::vector<Fault>& active);
    void keepImage();
    void whileQuiet();

    const LoggerOptions& m_options;
    PseudoTerminal& m_terminal;
    const StopSignal& m_stop;
    Transcript& m_transcript;
    ReceivedImage& m_image;
    LoggerProtocol m_protocol;
    FaultPlan m_faults;
    PacedWriter m_writer;
    LineSplitter m_splitter;
    ConversationWatch m_conversation;
    int m_exchange = 0;
    std::int64_t m_lastCommandMs = 0;
    Ending m_ending = Ending::Stopped;
};

}  // namespace ktr90
