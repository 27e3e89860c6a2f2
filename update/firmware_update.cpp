// SOFTWARE UPDATE: the update file sent to the logger line by line.
#include <algorithm>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/texts.h"
#include "device/protocol.h"
#include "device/wait_cursor.h"
#include "update/update_file.h"

namespace {
constexpr int kStartPauseMs = 5000;
constexpr int kStartAttempts = 10;
constexpr int kUpdateTimeoutSeconds = 10;
constexpr char kDataCommand[] = "SUPD,";
constexpr char kStartCommand[] = "SUPS\r\n";
constexpr char kVersionCommand[] = "SUPV\r\n";
constexpr char kEndCommand[] = "SUPE\r\n";
constexpr const char* kHandshakeCommands[] = {"SUPM\r\n", "SUPW\r\n", "SUPC\r\n"};
}  // namespace

int CDatadockDlg::SelectUpdateFile() {
    return SelectFile(std::make_unique<CFileDialog>(true, "dat", "", txt::kUpdateFilter));
}

TransferOutcome CDatadockDlg::RunUpdate() {
    m_failureDetail.clear();
    TransferOutcome outcome = TransferOutcome::Failed;
    try {
        StoppableWaits stoppable(*this);
        outcome = OutcomeOfResult(UpdateFirmware(m_pFileDialog->GetPathName()));
    } catch (const SerialPortException& e) {
        m_failureDetail = e.UserText();
        PutProgressAway();
    } catch (const TransferStopped&) {
        outcome = TransferOutcome::Cancelled;
        PutProgressAway();
    }
    m_bUpdateCommitted = false;
    if (outcome == TransferOutcome::Completed) {
        m_platform.MessageBox(txt::kUpdateComplete, MessageIcon::Information);
    } else if (outcome == TransferOutcome::Failed) {
        m_platform.MessageBox(txt::kUpdateFailed, MessageIcon::Error, m_failureDetail);
    }
    return outcome;
}

int CDatadockDlg::UpdateFirmware(const std::string& path) {
    m_pSerial->SetTimeoutCheck(true);
    ShowTransferLayout(txt::kTitleUpdate, "", true);

    // The file is read before anything is sent, so that a file that cannot be
    // used never leaves the logger waiting in update mode.
    const UpdateFile file = ReadUpdateFile(path);
    if (!file.error.empty() || file.lines.size() < 2) {
        m_failureDetail = !file.error.empty()
                              ? file.error
                              : path + " holds fewer than two lines; it is no update file.";
        return kResultFailed;
    }
    const std::vector<std::string>& lines = file.lines;
    std::string reply;
    const auto exact = [](const std::string& r) { return proto::IsAck(r); };
    for (const char* command : kHandshakeCommands) {
        if (RunHandshake(command, exact, reply) == Handshake::Cancelled) {
            return kResultCancelled;
        }
        m_bUpdateCommitted = true;
    }
    Pause(kStartPauseMs);

    WaitCursor waitCursor(m_platform);
    if (!StartUpdate(reply)) {
        m_failureDetail = "The logger did not accept the start of the update.";
        return kResultFailed;
    }
    const auto versionReply = [](const std::string& r) {
        return r.rfind(proto::kStatusData, 0) == 0;
    };
    if (RunHandshake(kVersionCommand, versionReply, reply) == Handshake::Cancelled) {
        return kResultCancelled;
    }
    m_pSerial->SetRecvTimeout(kUpdateTimeoutSeconds);
    m_platform.SetControlText(
        ctl::kStaticInfo,
        "Ver " + DeviceVersionText(reply) + txt::kArrowSeparator + FileVersionText(lines[1]));
    const int sent = SendUpdateLines(lines, reply);
    if (sent != kResultCompleted) {
        return sent;
    }
    m_pSerial->SendTo(kEndCommand);
    const bool ended = proto::IsAck(reply, m_pSerial->recvString(reply));
    PutProgressAway();
    if (!ended) {
        m_failureDetail = "The logger did not confirm the end of the update.";
    }
    return ended ? kResultCompleted : kResultFailed;
}

// Up to ten attempts in a row, without pauses and without pumping; the
// answers still owed to earlier attempts are dropped, as after a handshake.
bool CDatadockDlg::StartUpdate(std::string& reply) {
    proto::OwedReplies owed;
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        m_pSerial->SetRecvTimeout(kUpdateTimeoutSeconds);
        m_pSerial->SendTo(kStartCommand);
        owed.Sent();
        const int received = m_pSerial->recvString(reply);
        owed.Received(reply, received);
        if (proto::IsAck(reply, received)) {
            DropOwedReplies(owed);
            return true;
        }
    }
    return false;
}

// One data command per line, each acknowledged before the next; progress in
// proportion above a hundred lines, full from the first line otherwise.
int CDatadockDlg::SendUpdateLines(const std::vector<std::string>& lines, std::string& reply) {
    const int count = static_cast<int>(lines.size());
    const bool proportional = count > 100;
    int accumulated = 0;
    for (const std::string& line : lines) {
        m_pSerial->SendTo(kDataCommand + line + proto::kLineEnd);
        const int received = m_pSerial->recvString(reply);
        accumulated += 100;
        const int percent = proportional ? std::min(accumulated / count, 100) : 100;
        if (!PumpWithProgress(percent, proportional)) {
            return kResultCancelled;
        }
        if (!proto::IsAck(reply, received)) {
            PutProgressAway();
            m_failureDetail = "The logger did not accept line " +
                              std::to_string(&line - lines.data() + 1) + " of the update file.";
            return kResultFailed;
        }
    }
    return kResultCompleted;
}

void CDatadockDlg::PutProgressAway() {
    m_platform.ShowControl(ctl::kProgress, false);
    m_platform.ProgressSetPos(0);
}
