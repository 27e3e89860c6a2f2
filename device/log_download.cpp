// LOG SAVE: the two file choices and the download of the lap set and the
// sample set into the lap file and the log file.
#include <algorithm>
#include <cstdio>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/texts.h"
#include "device/hex_field.h"
#include "device/log_records.h"
#include "device/protocol.h"
#include "device/text_file.h"
#include "device/wait_cursor.h"

int CDatadockDlg::SelectLogFiles() {
    m_pLapFileDialog = CsvSaveDialog("_lap");
    if (m_pLapFileDialog->DoModal(m_platform) != IDOK) {
        m_pLapFileDialog.reset();
        return 0;
    }
    // The log file is created after the lap file is written: the same path
    // would silently replace the lap data.
    for (;;) {
        m_pLogFileDialog = CsvSaveDialog("_log");
        if (m_pLogFileDialog->DoModal(m_platform) != IDOK) {
            m_pLogFileDialog.reset();
            m_pLapFileDialog.reset();
            return 0;
        }
        if (!IsSamePath(m_pLogFileDialog->GetPathName(), m_pLapFileDialog->GetPathName())) {
            return 1;
        }
        m_platform.MessageBox("The log file must not be the lap file.", MessageIcon::Exclamation,
                              "Choose another name for the log file.");
    }
}

// Lap state: m_nLapIndex is the shown lap number plus one (0 before the first
// lap starts); m_nLapBoundaryMs is the recording time at which it advances next.
std::string CDatadockDlg::LapColumnText(const std::string& recordingTime,
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

// What one log download keeps between records.
struct LogDownloadState {
    std::vector<std::string> laps;
    int sampleCount = 0;  // announced by lap record 5; drives the progress
    int interval = 0;     // hundredths of a second
    std::string recordingTime = "00:00.00";
};

namespace {

int SamplePercent(unsigned exchanges, int sampleCount) {
    return static_cast<int>(std::min(exchanges * 100u / static_cast<unsigned>(sampleCount), 100u));
}

constexpr char kLogHeader[] =
    "REC TIME,ST(%),TH(%),RPM,VOLT(V),TEMP1(\x81\x8E),TEMP2(\x81\x8E),LAP";
}  // namespace

int CDatadockDlg::DownloadLogData(const std::string& lapPath, const std::string& logPath) {
    WaitCursor waitCursor(m_platform);
    LogDownloadState state;
    std::string reply;
    const int lapResult = DownloadLapSet(lapPath, state, reply);
    if (lapResult != kResultCompleted) {
        return lapResult;
    }
    // A link chosen as the log file may only now lead to the lap file.
    if (IsSamePath(logPath, lapPath)) {
        m_failureDetail = "The log file is the lap file under another name; the lap file was kept.";
        return kResultFailed;
    }
    m_pSerial->SendTo(proto::kChangeSet);
    if (!proto::IsAck(reply, m_pSerial->recvString(reply))) {
        return kResultFailed;
    }
    return DownloadSampleSet(logPath, state, reply);
}

// The lap set; a stop ends it from one of its waits.
int CDatadockDlg::DownloadLapSet(const std::string& path, LogDownloadState& state,
                                 std::string& reply) {
    TextFileWriter file;
    if (!file.Create(path)) {
        return FileFailure(file);
    }
    m_partialFile = {path, 0};
    m_pSerial->SetRecvTimeout(proto::kRecordTimeoutSeconds);
    for (int record = 1;; ++record) {
        m_pSerial->SendTo(proto::kReadRecord);
        const int received = m_pSerial->recvString(reply);
        if (received == SerialPortAPI::kTimedOut || StatusOf(reply) != RecordStatus::Data) {
            return EndOfSet(file, reply, received);
        }
        if (!WriteLapRecord(file, record, Mid(reply, proto::kRecordHeaderLength), state)) {
            return FileFailure(file);
        }
        ++m_partialFile.records;
    }
}

bool CDatadockDlg::WriteLapRecord(TextFileWriter& file, int record, std::string payload,
                                  LogDownloadState& state) {
    static const char* const kSummaryLabels[] = {"TOTAL,'", "BEST LAP,'", "AVERAGE LAP,'"};
    if (record == 1) {
        return file.WriteLine(LogNameLine(payload));
    }
    if (record <= 4) {
        FormatDeviceTime(payload);
        return file.WriteLine(kSummaryLabels[record - 2] + payload);
    }
    if (record == 5) {
        std::string firstLapStart = Mid(payload, 0, 14);
        FormatDeviceTime(firstLapStart);
        m_nLapBoundaryMs = TimeTextToMs(firstLapStart);
        m_nLapIndex = 0;
        state.sampleCount = ParseHexField(Mid(payload, 15));
        return file.WriteLine("") && file.WriteLine("LAP,LAP TIME");
    }
    FormatDeviceTime(payload);
    state.laps.push_back(payload);
    return file.WriteLine(std::to_string(state.laps.size()) + ",'" + payload);
}

// The sample set, with progress and the cancel request.
int CDatadockDlg::DownloadSampleSet(const std::string& path, LogDownloadState& state,
                                    std::string& reply) {
    m_platform.SetControlText(ctl::kStaticInfo, path);
    TextFileWriter file;
    if (!file.Create(path)) {
        return FileFailure(file);
    }
    m_partialFile = {path, 0};
    m_pSerial->SetRecvTimeout(proto::kRecordTimeoutSeconds);
    // Every exchange counts against the announced sample count, the header
    // records and the closing OK01 included; a hundred or fewer show 100%.
    const bool proportional = state.sampleCount > 100;
    unsigned exchanges = 0;
    for (int record = 1;; ++record) {
        m_pSerial->SendTo(proto::kReadRecord);
        const int received = m_pSerial->recvString(reply);
        ++exchanges;
        if (!PumpWithProgress(proportional ? SamplePercent(exchanges, state.sampleCount) : 100,
                              proportional)) {
            file.Close();
            return kResultCancelled;
        }
        if (received == SerialPortAPI::kTimedOut || StatusOf(reply) != RecordStatus::Data) {
            return EndOfSet(file, reply, received);
        }
        std::vector<std::string> lines;
        if (!SampleSetLines(record, Mid(reply, proto::kRecordHeaderLength), state, lines)) {
            file.Close();
            return kResultFailed;
        }
        for (const std::string& line : lines) {
            if (!file.WriteLine(line)) {
                return FileFailure(file);
            }
        }
        ++m_partialFile.records;
    }
}

// The lines a sample-set record adds to the log file; false for a sample that
// cannot be read.
bool CDatadockDlg::SampleSetLines(int record, const std::string& payload, LogDownloadState& state,
                                  std::vector<std::string>& lines) {
    if (record == 1) {
        lines = {LogNameLine(payload)};
        return true;
    }
    if (record == 2) {
        state.interval = ParseHexField(payload);
        lines = {"SAMPLING INTERVAL(sec)," + FormatSamplingInterval(payload), kLogHeader};
        return true;
    }
    if (record > 3) {
        NextRecTime(state.recordingTime, state.interval);
    }
    SampleFields fields;
    if (ParseSampleFields(payload, fields) != 1) {
        m_failureDetail =
            "A sample record could not be read: " + payload.substr(0, payload.find('\r'));
        return false;
    }
    lines = {"'" + state.recordingTime + "," + SteeringText(fields) + "," + ThrottleText(fields) +
             "," + RpmText(fields) + "," + VoltText(fields) + "," + Temp1Text(fields) + "," +
             Temp2Text(fields) + "," + LapColumnText(state.recordingTime, state.laps)};
    return true;
}
