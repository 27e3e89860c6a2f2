#include "device/download_conversation.h"

#include "device/file_access.h"
#include "device/hex_field.h"
#include "device/protocol.h"
#include "device/text_file.h"
#include "device/transfer_texts.h"

namespace {

// The system's message for how a download ended.
void SayHowItEnded(TransferResult& result) {
    switch (result.outcome) {
        case TransferOutcome::Completed:
            result.message = translated(txt::kCompleted);
            result.severity = Severity::Information;
            return;
        case TransferOutcome::NoData:
            result.message = translated(txt::kNoData);
            return;
        case TransferOutcome::Failed:
            result.message = translated(txt::kFailedToReceive);
            return;
        case TransferOutcome::Cancelled:
        case TransferOutcome::NotConnected:
            return;
    }
}

}  // namespace

void DownloadConversation::BeginPartialFile(const std::string& path) {
    m_partialFile = {path, 0};
}

// The replies are not examined. A port that no longer takes writes (the cable
// pulled) ends the closing early; the conversation is over either way.
void DownloadConversation::CloseDownloadConversation(std::string& reply) {
    try {
        m_port.SetRecvTimeout(proto::kCloseTimeoutSeconds);
        for (int i = 0; i < proto::kCloseRepeats; ++i) {
            m_port.SendTo(proto::kEndConversation);
            m_port.recvString(reply);
        }
    } catch (const SerialPortException&) {
    }
}

TransferResult DownloadConversation::RunDownloadConversation(
    const std::string& kindDigit, const std::vector<std::string>& targets,
    const Download& download) {
    for (const std::string& target : targets) {
        if (std::string problem = WriteProblem(target); !problem.empty()) {
            return Finish(Ended(TransferOutcome::Failed, std::move(problem)));
        }
    }
    const std::string opening = proto::kOpenConversation + kindDigit + proto::kLineEnd;
    std::string reply;
    TransferResult result;
    try {
        StoppableWaits stoppable(*this);
        const auto exact = [](const std::string& r) { return proto::IsAck(r); };
        RunHandshake(opening, exact, reply);
        try {
            result = download();
        } catch (const Stopped&) {
            result = Ended(TransferOutcome::Cancelled);  // the conversation is still closed
        }
    } catch (const SerialPortException& e) {
        result = Ended(TransferOutcome::Failed, e.UserText());
    } catch (const Stopped&) {
        // Stopped in the handshake: a logger that had taken an attempt is in
        // the conversation and is told to end it; otherwise there is nothing
        // to close.
        result = Ended(TransferOutcome::Cancelled);
        if (!HandshakeAccepted()) {
            return Finish(result);
        }
    }
    result = Finish(result);
    CloseDownloadConversation(reply);
    return result;
}

TransferResult DownloadConversation::Finish(TransferResult result) {
    result.partialFile = m_partialFile;
    SayHowItEnded(result);
    m_events.Finished(result);
    return result;
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

bool DownloadConversation::CountRecord(TextFileWriter& file) {
    if (!file.Flush()) {
        return false;
    }
    ++m_partialFile.records;
    return true;
}

TransferResult DownloadConversation::FileFailure(const TextFileWriter& file) {
    return Ended(TransferOutcome::Failed, file.Error());
}

TransferResult DownloadConversation::EndOfSet(TextFileWriter& file, const std::string& reply,
                                              int received) {
    const RecordStatus status =
        received == SerialPortAPI::kTimedOut ? RecordStatus::Other : StatusOf(reply);
    if (status == RecordStatus::NoData) {
        m_partialFile = {};
        return file.Remove() ? Ended(TransferOutcome::NoData) : FileFailure(file);
    }
    if (!file.Close()) {
        return FileFailure(file);
    }
    if (status == RecordStatus::SetEnd) {
        m_partialFile = {};
        return Ended(TransferOutcome::Completed);
    }
    return Ended(TransferOutcome::Failed);
}
