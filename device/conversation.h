#pragma once

#include <functional>
#include <string>

#include "device/transfer_events.h"
#include "serial/clock.h"
#include "serial/serial_port_api.h"

namespace proto {
class OwedReplies;
}

// Tells the events of long work for as long as it lives, so that every way
// out of a transfer ends it.
class BusyWhile {
public:
    explicit BusyWhile(TransferEvents& events) : m_events(events) { m_events.Busy(true); }
    ~BusyWhile() { m_events.Busy(false); }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    TransferEvents& m_events;
};

// What every transfer shares on the line: the open port, the clock and
// whoever shows the transfer; waits that a stop ends; the handshake; progress.
// While it lives, every wait of the port asks the events whether to stop.
class Conversation {
public:
    Conversation(SerialPortAPI& port, Clock& clock, TransferEvents& events);
    ~Conversation();
    Conversation(const Conversation&) = delete;
    Conversation& operator=(const Conversation&) = delete;

protected:
    // Thrown from a wait once a stop is requested; it never leaves the
    // transfer, which ends along its cancel path.
    struct Stopped {};
    // Waits end with Stopped only while this lives: the closing of a download
    // always runs to its end.
    class StoppableWaits {
    public:
        explicit StoppableWaits(Conversation& conversation);
        ~StoppableWaits();
        StoppableWaits(const StoppableWaits&) = delete;
        StoppableWaits& operator=(const StoppableWaits&) = delete;

    private:
        Conversation& m_conversation;
    };

    // Asks whether to stop; throws Stopped when a stop is requested and
    // waits are stoppable.
    void CheckStop();
    // Pauses for milliseconds of the clock, asking at every slice.
    void Pause(int milliseconds);
    // Sends command about once a second until a reply is accepted; the replies
    // still owed to earlier attempts are then dropped, so that none of them
    // passes for the answer to the next command. A stop ends it with Stopped;
    // HandshakeAccepted() then tells whether the logger had taken an attempt.
    void RunHandshake(const std::string& command,
                      const std::function<bool(const std::string&)>& accept, std::string& reply);
    bool HandshakeAccepted() const { return m_bHandshakeAccepted; }
    void DropOwedReplies(proto::OwedReplies& owed);
    // Shows percent; asks once more when the bar moves in proportion.
    void ReportProgress(int percent, bool proportional);

    static TransferResult Ended(TransferOutcome outcome, std::string reason = {});

    SerialPortAPI& m_port;
    Clock& m_clock;
    TransferEvents& m_events;

private:
    // A stop came while an attempt was out: whatever has arrived for it is
    // read at once, without waiting; true when it is the acceptance.
    bool AcceptedAtStop(const std::function<bool(const std::string&)>& accept, std::string& reply);

    bool m_bWaitsStoppable = false;
    bool m_bHandshakeAccepted = false;
};
