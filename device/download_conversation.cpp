// The command exchange every transfer shares: the handshake loop and the
// download conversation around the two downloads.
#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/texts.h"
#include "device/hex_field.h"
#include "device/protocol.h"
#include "device/text_file.h"

// Says in the info line that the logger has not answered yet, and puts the
// line's own text back once it does (or the handshake ends otherwise).
class CDatadockDlg::SilentLoggerNotice {
public:
    explicit SilentLoggerNotice(CDatadockDlg& dlg)
        : m_dlg(dlg), m_startMs(dlg.m_clock.monotonicMs()) {}
    ~SilentLoggerNotice() { Withdraw(); }
    SilentLoggerNotice(const SilentLoggerNotice&) = delete;
    SilentLoggerNotice& operator=(const SilentLoggerNotice&) = delete;

    void ShowAfter(int milliseconds) {
        if (!m_shown && m_dlg.m_clock.monotonicMs() - m_startMs >= milliseconds) {
            m_hiddenText = m_dlg.m_platform.ControlText(ctl::kStaticInfo);
            m_dlg.m_platform.SetControlText(ctl::kStaticInfo, txt::kWaitingForLogger);
            m_shown = true;
        }
    }
    void Withdraw() {
        if (m_shown) {
            m_dlg.m_platform.SetControlText(ctl::kStaticInfo, m_hiddenText);
            m_shown = false;
        }
    }

private:
    CDatadockDlg& m_dlg;
    std::int64_t m_startMs;
    bool m_shown = false;
    std::string m_hiddenText;
};

// Once an attempt is accepted, the replies still owed to earlier ones are
// dropped: none of them may pass for the answer to the next command.
CDatadockDlg::Handshake CDatadockDlg::RunHandshake(
    const std::string& command, const std::function<bool(const std::string&)>& accept,
    std::string& reply) {
    proto::OwedReplies owed;
    SilentLoggerNotice notice(*this);
    for (;;) {
        PumpMessages();
        if (StopRequested()) {
            return Handshake::Cancelled;
        }
        m_pSerial->SetRecvTimeout(proto::kHandshakeTimeoutSeconds);
        m_pSerial->SendTo(command);
        owed.Sent();
        Pause(proto::kHandshakePauseMs);
        const int received = m_pSerial->recvString(reply);
        owed.Received(reply, received);
        if (received != SerialPortAPI::kTimedOut && accept(reply)) {
            notice.Withdraw();
            DropOwedReplies(owed);
            return Handshake::Accepted;
        }
        notice.ShowAfter(kSilentLoggerNoticeMs);
    }
}

// Waits for the owed replies no longer than the handshake's own rhythm: a
// logger that simply missed the first attempts costs at most that.
void CDatadockDlg::DropOwedReplies(proto::OwedReplies& owed) {
    const std::int64_t deadline = m_clock.monotonicMs() + proto::kHandshakePauseMs;
    std::string stale;
    while (owed.Any() && m_clock.monotonicMs() < deadline) {
        m_pSerial->SetRecvTimeout(0);
        const int received = m_pSerial->recvString(stale);
        owed.Received(stale, received);
        if (received == SerialPortAPI::kTimedOut) {
            Pause(proto::kOwedReplyPollMs);
        }
    }
}

void CDatadockDlg::ShowDownloadResult(TransferOutcome outcome) {
    switch (outcome) {
        case TransferOutcome::Completed:
            m_platform.MessageBox(txt::kCompleted, MessageIcon::Information);
            return;
        case TransferOutcome::NoData:
            m_platform.MessageBox(txt::kNoData, MessageIcon::Exclamation);
            return;
        case TransferOutcome::Failed:
            m_platform.MessageBox(txt::kFailedToReceive, MessageIcon::Exclamation, m_failureDetail);
            return;
        case TransferOutcome::Cancelled:
        case TransferOutcome::NotConnected:
            return;
    }
}

// The replies are not examined. A port that no longer takes writes (the cable
// pulled) ends the closing early; the conversation is over either way.
void CDatadockDlg::CloseDownloadConversation(std::string& reply) {
    try {
        m_pSerial->SetRecvTimeout(proto::kCloseTimeoutSeconds);
        for (int i = 0; i < proto::kCloseRepeats; ++i) {
            m_pSerial->SendTo(proto::kEndConversation);
            m_pSerial->recvString(reply);
        }
    } catch (const SerialPortException&) {
    }
}

TransferOutcome CDatadockDlg::RunDownloadConversation(const std::string& kindDigit,
                                                      const Download& download) {
    m_failureDetail.clear();
    const std::string opening = proto::kOpenConversation + kindDigit + proto::kLineEnd;
    std::string reply;
    TransferOutcome outcome = TransferOutcome::Failed;
    try {
        StoppableWaits stoppable(*this);
        const auto exact = [](const std::string& r) { return proto::IsAck(r); };
        if (RunHandshake(opening, exact, reply) == Handshake::Cancelled) {
            return TransferOutcome::Cancelled;
        }
        try {
            outcome = OutcomeOfResult(download());
        } catch (const TransferStopped&) {
            outcome = TransferOutcome::Cancelled;  // the conversation is still closed
        }
    } catch (const SerialPortException& e) {
        m_failureDetail = e.UserText();
    } catch (const TransferStopped&) {
        return TransferOutcome::Cancelled;  // stopped in the handshake: nothing to close
    }
    AddPartialFileNote();
    ShowDownloadResult(outcome);
    CloseDownloadConversation(reply);
    return outcome;
}

// Pumps the window and shows percent on the bar and as text; pumps once more
// when the bar moves in proportion. False once the user has cancelled.
bool CDatadockDlg::PumpWithProgress(int percent, bool proportional) {
    PumpMessages();
    if (StopRequested()) {
        return false;
    }
    m_platform.ProgressSetPos(percent);
    m_platform.SetControlText(ctl::kStaticPercent, std::to_string(percent) + "%");
    if (proportional) {
        PumpMessages();
    }
    return !StopRequested();
}

RecordStatus StatusOf(const std::string& reply) {
    // A bare acknowledgement, or more than one line, answers some other command.
    if (reply == proto::kAck || proto::LinesIn(reply) != 1) {
        return RecordStatus::Other;
    }
    const std::string code = Mid(reply, 0, proto::kStatusLength);
    if (code == proto::kStatusData || code == proto::kStatusDataAlt) {
        return RecordStatus::Data;
    }
    if (code == proto::kStatusSetEnd) {
        return RecordStatus::SetEnd;
    }
    return code == proto::kStatusNoData ? RecordStatus::NoData : RecordStatus::Other;
}

void CDatadockDlg::AddPartialFileNote() {
    const std::string note = PartialFileNote();
    if (!note.empty()) {
        m_failureDetail += (m_failureDetail.empty() ? "" : "\n") + note;
    }
}

int CDatadockDlg::FileFailure(const TextFileWriter& file) {
    m_failureDetail = file.Error();
    return kResultFailed;
}

// How a data set ends on a reply that is not taken as a data record: complete,
// no data (the file goes), or failed (the file keeps what it has). A file that
// cannot be closed or deleted turns any outcome into a failure.
int CDatadockDlg::EndOfSet(TextFileWriter& file, const std::string& reply, int received) {
    const RecordStatus status =
        received == SerialPortAPI::kTimedOut ? RecordStatus::Other : StatusOf(reply);
    if (status == RecordStatus::NoData) {
        m_partialFile = {};
        return file.Remove() ? kResultNoData : FileFailure(file);
    }
    if (!file.Close()) {
        return FileFailure(file);
    }
    if (status == RecordStatus::SetEnd) {
        m_partialFile = {};
        return kResultCompleted;
    }
    return kResultFailed;
}
