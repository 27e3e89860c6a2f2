#include "device/conversation.h"

#include <algorithm>
#include <utility>

#include "device/protocol.h"

namespace {
// The info line says the logger is silent once it has not answered this long.
constexpr int kSilentLoggerNoticeMs = 3000;

// Tells the events that the logger is silent once it has been for a while,
// and that it answers again once it does (or the handshake ends otherwise).
class SilentLoggerNotice {
public:
    SilentLoggerNotice(TransferEvents& events, Clock& clock)
        : m_events(events), m_clock(clock), m_startMs(clock.monotonicMs()) {}
    ~SilentLoggerNotice() { Withdraw(); }
    SilentLoggerNotice(const SilentLoggerNotice&) = delete;
    SilentLoggerNotice& operator=(const SilentLoggerNotice&) = delete;

    void ShowAfter(int milliseconds) {
        if (!m_shown && m_clock.monotonicMs() - m_startMs >= milliseconds) {
            m_events.LoggerSilent(true);
            m_shown = true;
        }
    }
    void Withdraw() {
        if (m_shown) {
            m_events.LoggerSilent(false);
            m_shown = false;
        }
    }

private:
    TransferEvents& m_events;
    Clock& m_clock;
    std::int64_t m_startMs;
    bool m_shown = false;
};
}  // namespace

Conversation::Conversation(SerialPortAPI& port, Clock& clock, TransferEvents& events)
    : m_port(port), m_clock(clock), m_events(events) {
    m_port.SetWaitHook([this] { CheckStop(); });
}

Conversation::~Conversation() {
    m_port.SetWaitHook({});
}

Conversation::StoppableWaits::StoppableWaits(Conversation& conversation)
    : m_conversation(conversation) {
    m_conversation.m_bWaitsStoppable = true;
}

Conversation::StoppableWaits::~StoppableWaits() {
    m_conversation.m_bWaitsStoppable = false;
}

void Conversation::CheckStop() {
    if (m_events.StopRequested() && m_bWaitsStoppable) {
        throw Stopped{};
    }
}

void Conversation::Pause(int milliseconds) {
    const std::int64_t end = m_clock.monotonicMs() + milliseconds;
    for (std::int64_t left = milliseconds; left > 0; left = end - m_clock.monotonicMs()) {
        m_clock.sleepMs(
            static_cast<int>(std::min<std::int64_t>(left, SerialPortAPI::kWaitSliceMs)));
        CheckStop();
    }
}

void Conversation::RunHandshake(const std::string& command,
                                const std::function<bool(const std::string&)>& accept,
                                std::string& reply) {
    proto::OwedReplies owed;
    SilentLoggerNotice notice(m_events, m_clock);
    for (;;) {
        CheckStop();
        m_port.SetRecvTimeout(proto::kHandshakeTimeoutSeconds);
        m_port.SendTo(command);
        owed.Sent();
        int received = SerialPortAPI::kTimedOut;
        try {
            Pause(proto::kHandshakePauseMs);
            received = m_port.recvString(reply);
        } catch (const Stopped&) {
            m_bHandshakeAccepted = AcceptedAtStop(accept, reply);
            throw;
        }
        owed.Received(reply, received);
        if (received != SerialPortAPI::kTimedOut && accept(reply)) {
            notice.Withdraw();
            m_bHandshakeAccepted = true;  // a stop while the owed replies drain finds it open
            DropOwedReplies(owed);
            return;
        }
        notice.ShowAfter(kSilentLoggerNoticeMs);
    }
}

bool Conversation::AcceptedAtStop(const std::function<bool(const std::string&)>& accept,
                                  std::string& reply) {
    const bool stoppable = std::exchange(m_bWaitsStoppable, false);
    bool accepted = false;
    try {
        m_port.SetRecvTimeout(0);
        const int received = m_port.recvString(reply);
        accepted = received != SerialPortAPI::kTimedOut && accept(reply);
    } catch (const SerialPortException&) {
        // The line is gone: there is no conversation left to close.
    }
    m_bWaitsStoppable = stoppable;
    return accepted;
}

// Waits for the owed replies no longer than the handshake's own rhythm: a
// logger that simply missed the first attempts costs at most that.
void Conversation::DropOwedReplies(proto::OwedReplies& owed) {
    const std::int64_t deadline = m_clock.monotonicMs() + proto::kHandshakePauseMs;
    std::string stale;
    while (owed.Any() && m_clock.monotonicMs() < deadline) {
        m_port.SetRecvTimeout(0);
        const int received = m_port.recvString(stale);
        owed.Received(stale, received);
        if (received == SerialPortAPI::kTimedOut) {
            Pause(proto::kOwedReplyPollMs);
        }
    }
}

void Conversation::ReportProgress(int percent, bool proportional) {
    CheckStop();
    m_events.ShowProgress(percent);
    if (proportional) {
        CheckStop();
    }
}

TransferResult Conversation::Ended(TransferOutcome outcome, std::string reason) {
    TransferResult result;
    result.outcome = outcome;
    result.reason = std::move(reason);
    return result;
}
