// LOG SAVE: the download of the lap set and the sample set into the lap file
// and the log file.
#include "device/log_save.h"

#include <algorithm>
#include <cstdio>

#include "device/file_access.h"
#include "device/hex_field.h"
#include "device/log_records.h"
#include "device/protocol.h"
#include "device/text_file.h"
#include "text/escaped_bytes.h"
#include "text/log_file_texts.h"
#include "text/translation.h"

std::string LapColumn::LapColumnText(const std::string& recordingTime,
                                     const std::vector<std::string>& laps) {
    if (laps.empty()) {
        return "-";
    }
    const std::int64_t t = TimeTextToMs(recordingTime);
    if (m_nLapBoundaryMs == 0 || t >= m_nLapBoundaryMs) {
        ++m_nLapIndex;
        const bool inLaps = m_nLapIndex <= static_cast<int>(laps.size());
        m_nLapBoundaryMs += inLaps ? TimeTextToMs(laps[static_cast<std::size_t>(m_nLapIndex) - 1])
                                   : TimeTextToMs("99:99:99");
    }
    if (m_nLapIndex == 0) {
        return "-";
    }
    char text[16];
    std::snprintf(text, sizeof text, "%03d", m_nLapIndex - 1);
    return text;
}

namespace {
int SamplePercent(unsigned exchanges, int sampleCount) {
    return static_cast<int>(std::min(exchanges * 100u / static_cast<unsigned>(sampleCount), 100u));
}
}  // namespace

TransferResult LogSave::Run(const std::string& lapPath, const std::string& logPath) {
    return RunDownloadConversation("1", {lapPath, logPath},
                                   [&] { return DownloadLogData(lapPath, logPath); });
}

TransferResult LogSave::DownloadLogData(const std::string& lapPath, const std::string& logPath) {
    const BusyWhile busy(m_events);
    State state;
    std::string reply;
    TransferResult lapResult = DownloadLapSet(lapPath, state, reply);
    if (lapResult.outcome != TransferOutcome::Completed) {
        return lapResult;
    }
    // A link chosen as the log file may only now lead to the lap file.
    if (IsSamePath(logPath, lapPath)) {
        return Ended(TransferOutcome::Failed,
                     translated("The log file is the lap file under another name; the lap "
                                "file was kept."));
    }
    m_port.SendTo(proto::kChangeSet);
    if (!proto::IsAck(reply, m_port.recvString(reply))) {
        return Ended(TransferOutcome::Failed);
    }
    return DownloadSampleSet(logPath, state, reply);
}

// The lap set; a stop ends it from one of its waits.
TransferResult LogSave::DownloadLapSet(const std::string& path, State& state, std::string& reply) {
    TextFileWriter file;
    if (!file.Create(path)) {
        return FileFailure(file);
    }
    BeginPartialFile(path);
    m_port.SetRecvTimeout(proto::kRecordTimeoutSeconds);
    for (int record = 1;; ++record) {
        m_port.SendTo(proto::kReadRecord);
        const int received = m_port.recvString(reply);
        if (received == SerialPortAPI::kTimedOut || StatusOf(reply) != RecordStatus::Data) {
            return EndOfSet(file, reply, received);
        }
        if (!WriteLapRecord(file, record, Mid(reply, proto::kRecordHeaderLength), state)) {
            return FileFailure(file);
        }
        if (!CountRecord(file)) {
            return FileFailure(file);
        }
    }
}

bool LogSave::WriteLapRecord(TextFileWriter& file, int record, std::string payload, State& state) {
    if (record == 1) {
        return file.WriteLine(LogNameLine(payload));
    }
    if (record <= 4) {
        FormatDeviceTime(payload);
        return file.WriteLine(std::string(csv::kLapSummaryLabels[record - 2]) + ",'" + payload);
    }
    if (record == 5) {
        std::string firstLapStart = Mid(payload, 0, 14);
        FormatDeviceTime(firstLapStart);
        m_lapColumn.Start(TimeTextToMs(firstLapStart));
        state.sampleCount = ParseHexField(Mid(payload, 15));
        return file.WriteLine("") && file.WriteLine(std::string(csv::kLapHeader));
    }
    FormatDeviceTime(payload);
    state.laps.push_back(payload);
    return file.WriteLine(std::to_string(state.laps.size()) + ",'" + payload);
}

// The sample set, with progress and the stop request.
TransferResult LogSave::DownloadSampleSet(const std::string& path, State& state,
                                          std::string& reply) {
    m_events.ShowInfo(path);
    TextFileWriter file;
    if (!file.Create(path)) {
        return FileFailure(file);
    }
    BeginPartialFile(path);
    m_port.SetRecvTimeout(proto::kRecordTimeoutSeconds);
    // Every exchange counts against the announced sample count, the header
    // records and the closing OK01 included; a hundred or fewer show 100%.
    const bool proportional = state.sampleCount > 100;
    unsigned exchanges = 0;
    for (int record = 1;; ++record) {
        m_port.SendTo(proto::kReadRecord);
        const int received = m_port.recvString(reply);
        ++exchanges;
        ReportProgress(proportional ? SamplePercent(exchanges, state.sampleCount) : 100,
                       proportional);
        if (received == SerialPortAPI::kTimedOut || StatusOf(reply) != RecordStatus::Data) {
            return EndOfSet(file, reply, received);
        }
        const std::string payload = Mid(reply, proto::kRecordHeaderLength);
        std::vector<std::string> lines;
        if (!SampleSetLines(record, payload, state, lines)) {
            file.Close();
            const std::string unread = EscapedBytes(payload.substr(0, payload.find('\r')));
            return Ended(
                TransferOutcome::Failed,
                translated("A sample record could not be read: {record}", {{"record", unread}}));
        }
        for (const std::string& line : lines) {
            if (!file.WriteLine(line)) {
                return FileFailure(file);
            }
        }
        if (!CountRecord(file)) {
            return FileFailure(file);
        }
    }
}

bool LogSave::SampleSetLines(int record, const std::string& payload, State& state,
                             std::vector<std::string>& lines) {
    if (record == 1) {
        lines = {LogNameLine(payload)};
        return true;
    }
    if (record == 2) {
        state.interval = ParseHexField(payload);
        lines = {std::string(csv::kSamplingIntervalLabel) + FormatSamplingInterval(payload),
                 std::string(csv::kLogHeader)};
        return true;
    }
    if (record > 3) {
        NextRecTime(state.recordingTime, state.interval);
    }
    SampleFields fields;
    if (ParseSampleFields(payload, fields) != 1) {
        return false;
    }
    lines = {"'" + state.recordingTime + "," + SteeringText(fields) + "," + ThrottleText(fields) +
             "," + RpmText(fields) + "," + VoltText(fields) + "," + Temp1Text(fields) + "," +
             Temp2Text(fields) + "," + m_lapColumn.LapColumnText(state.recordingTime, state.laps)};
    return true;
}
