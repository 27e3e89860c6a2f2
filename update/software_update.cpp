// SOFTWARE UPDATE: the update file sent to the logger line by line.
#include "update/software_update.h"

#include <algorithm>

#include "device/protocol.h"
#include "device/transfer_texts.h"
#include "text/escaped_bytes.h"

namespace {
constexpr int kStartPauseMs = 5000;
constexpr int kStartAttempts = 10;
constexpr int kUpdateTimeoutSeconds = 10;
constexpr char kDataCommand[] = "SUPD,";
constexpr char kStartCommand[] = "SUPS\r\n";
constexpr char kVersionCommand[] = "SUPV\r\n";
constexpr char kEndCommand[] = "SUPE\r\n";
constexpr const char* kHandshakeCommands[] = {"SUPM\r\n", "SUPW\r\n", "SUPC\r\n"};

void SayHowItEnded(TransferResult& result) {
    if (result.outcome == TransferOutcome::Completed) {
        result.message = translated(txt::kUpdateComplete);
        result.severity = Severity::Information;
    } else if (result.outcome == TransferOutcome::Failed) {
        result.message = translated(txt::kUpdateFailed);
        result.severity = Severity::Error;
    }
}
}  // namespace

TransferResult SoftwareUpdate::Run(const std::string& path) {
    TransferResult result;
    try {
        StoppableWaits stoppable(*this);
        result = UpdateFirmware(path);
    } catch (const SerialPortException& e) {
        result = Ended(TransferOutcome::Failed, e.UserText());
        m_events.HideProgress();
    } catch (const Stopped&) {
        result = Ended(TransferOutcome::Cancelled);
        m_events.HideProgress();
    }
    if (m_bUnderway) {
        m_events.UpdateUnderway(false);
    }
    SayHowItEnded(result);
    m_events.Finished(result);
    return result;
}

TransferResult SoftwareUpdate::UpdateFirmware(const std::string& path) {
    m_port.SetTimeoutCheck(true);

    // The file is read before anything is sent, so that a file that cannot be
    // used never leaves the logger waiting in update mode.
    const UpdateFile file = ReadUpdateFile(path);
    if (!file.error.empty() || file.lines.size() < 2) {
        return Ended(TransferOutcome::Failed,
                     !file.error.empty()
                         ? file.error
                         : translated("{file} holds fewer than two lines; it is no update file.",
                                      {{"file", path}}));
    }
    const UpdateLines& lines = file.lines;
    std::string reply;
    const auto exact = [](const std::string& r) { return proto::IsAck(r); };
    for (const char* command : kHandshakeCommands) {
        RunHandshake(command, exact, reply);
        if (!m_bUnderway) {
            m_bUnderway = true;
            m_events.UpdateUnderway(true);
        }
    }
    Pause(kStartPauseMs);

    const BusyWhile busy(m_events);
    if (!StartUpdate(reply)) {
        return Ended(TransferOutcome::Failed,
                     translated("The logger did not accept the start of the update."));
    }
    const auto versionReply = [](const std::string& r) {
        return r.rfind(proto::kStatusData, 0) == 0;
    };
    RunHandshake(kVersionCommand, versionReply, reply);
    m_port.SetRecvTimeout(kUpdateTimeoutSeconds);
    m_events.ShowInfo("Ver " + EscapedBytes(DeviceVersionText(reply)) + txt::kArrowSeparator +
                      FileVersionText(lines[1]));
    TransferResult sent = SendUpdateLines(lines, reply);
    if (sent.outcome != TransferOutcome::Completed) {
        return sent;
    }
    m_port.SendTo(kEndCommand);
    const bool ended = proto::IsAck(reply, m_port.recvString(reply));
    m_events.HideProgress();
    if (!ended) {
        return Ended(TransferOutcome::Failed,
                     translated("The logger did not confirm the end of the update."));
    }
    return Ended(TransferOutcome::Completed);
}

// Up to ten attempts in a row, without pauses; the answers still owed to
// earlier attempts are dropped, as after a handshake.
bool SoftwareUpdate::StartUpdate(std::string& reply) {
    proto::OwedReplies owed;
    for (int attempt = 0; attempt < kStartAttempts; ++attempt) {
        m_port.SetRecvTimeout(kUpdateTimeoutSeconds);
        m_port.SendTo(kStartCommand);
        owed.Sent();
        const int received = m_port.recvString(reply);
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
TransferResult SoftwareUpdate::SendUpdateLines(const UpdateLines& lines, std::string& reply) {
    const int count = static_cast<int>(lines.size());
    const bool proportional = count > 100;
    int accumulated = 0;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        m_port.SendTo(kDataCommand + std::string(lines[index]) + proto::kLineEnd);
        const int received = m_port.recvString(reply);
        accumulated += 100;
        ReportProgress(proportional ? std::min(accumulated / count, 100) : 100, proportional);
        if (!proto::IsAck(reply, received)) {
            m_events.HideProgress();
            return Ended(TransferOutcome::Failed,
                         translated("The logger did not accept line {line} of the update file.",
                                    {{"line", std::to_string(index + 1)}}));
        }
    }
    return Ended(TransferOutcome::Completed);
}
