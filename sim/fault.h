#pragma once

#include <string>
#include <string_view>

namespace ktr90 {

// Ways the simulated logger can misbehave on purpose, named for what a client
// sees on the line.
enum class FaultKind {
    AnswerLate,       // the reply comes delayMs late
    NeverAnswer,      // the command is carried out, the reply is lost
    SplitReply,       // the reply arrives in `pieces` writes, gapMs apart
    StrayLineFeed,    // a "\n" goes in front of the reply
    ExtraBytes,       // `bytes` follow the reply in the same write
    NoLineEnd,        // the reply loses its "\r\n"
    StatusCode,       // `status` + "\r\n" instead of the reply; command not carried out
    RefuseHandshake,  // "NG00\r\n" to handshake commands; not carried out
    IgnoreHandshake,  // silence to handshake commands; not carried out
    HangUpAt,         // the logger drops the line instead of answering
    Babble,           // `count` bytes without a line feed instead of the reply
};

// Which replies a fault touches.
struct FaultTarget {
    enum class By {
        EveryReply,
        Exchange,   // the exchange-th command received, counting from 1
        Command,    // commands whose name (text before ',') or whole line match
        Handshake,  // DSTA, SUPM, SUPW, SUPC, SUPV
    };
    By by = By::EveryReply;
    int exchange = 0;
    std::string command;
};

// Bounds of the numeric fault values: ample for any session, small enough
// that no sum of them overflows and no reply grows beyond reason.
constexpr int kMaxFaultDelayMs = 600'000;      // delay, gap: ten minutes
constexpr int kMaxFaultPieces = 4096;          // pieces
constexpr int kMaxBabbleBytes = 1 << 20;       // count: 1 MiB
constexpr int kMaxFaultCount = 1'000'000'000;  // exchange, #times, after

struct Fault {
    FaultKind kind = FaultKind::AnswerLate;
    FaultTarget target;
    int times = 0;  // how many matching replies it touches; 0 = all of them
    int after = 0;  // matching replies to leave alone before it starts
    int delayMs = 500;
    int pieces = 2;
    int gapMs = 20;
    std::string bytes = "XX";
    std::string status = "NG00";
    int count = 1024;
};

// Reads the text form Kind[@Target][#Times][:key=value,...], e.g.
// "SplitReply@DRED#3:gap=20" or "HangUpAt@7". Throws std::invalid_argument.
Fault parseFault(std::string_view text);

const char* faultKindName(FaultKind kind);

}  // namespace ktr90
