// LOG SAVE: the two file choices and the download of the lap set and the
// sample set into the lap file and the log file.
#include <cstdio>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/texts.h"
#include "device/hex_field.h"
#include "device/log_records.h"
#include "device/protocol.h"
#include "device/text_file.h"
#include "device/wait_cursor.h"

namespace {

enum class Status { Data, SetEnd, NoData, Other };

Status StatusOf(const std::string& reply) {
    const std::string code = Mid(reply, 0, proto::kStatusLength);
    if (code == proto::kStatusData || code == proto::kStatusDataAlt) {
        return Status::Data;
    }
    if (code == proto::kStatusSetEnd) {
        return Status::SetEnd;
    }
    return code == proto::kStatusNoData ? Status::NoData : Status::Other;
}

std::unique_ptr<CFileDialog> MakeCsvSaveDialog(const char* initialName) {
    return std::make_unique<CFileDialog>(false, "csv", initialName, txt::kCsvFilter);
}

std::string PercentText(int percent) { return std::to_string(percent) + "%"; }

}  // namespace

int CDatadockDlg::SelectLogFiles() {
    m_pLapFileDialog = MakeCsvSaveDialog("_lap");
    if (m_pLapFileDialog->DoModal(m_platform) != IDOK) {
        m_pLapFileDialog.reset();
        return 0;
    }
    // The log file is created after the lap file is written: the same path
    // would silently replace the lap data.
    for (;;) {
        m_pLogFileDialog = MakeCsvSaveDialog("_log");
        if (m_pLogFileDialog->DoModal(m_platform) != IDOK) {
            m_pLogFileDialog.reset();
            m_pLapFileDialog.reset();
            return 0;
        }
        if (m_pLogFileDialog->GetPathName() != m_pLapFileDialog->GetPathName()) {
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

namespace {

// What one log download keeps between records.
struct LogDownloadState {
    std::vector<std::string> laps;
    int sampleCount = 0;
    int interval = 0;
    std::string recordingTime = "00:00.00";
};

constexpr char kLogHeader[] =
    "REC TIME,ST(%),TH(%),RPM,VOLT(V),TEMP1(\x81\x8E),TEMP2(\x81\x8E),LAP";

}  // namespace

int CDatadockDlg::DownloadLogData(const std::string& lapPath, const std::string& logPath) {
    WaitCursor waitCursor(m_platform);
    LogDownloadState state;
    std::string reply;

    // The lap set: nothing is pumped here, so the window stays still.
    TextFileWriter lapFile;
    const auto fileFailure = [this](const TextFileWriter& file) {
        m_failureDetail = file.Error();
        return kResultFailed;
    };
    if (!lapFile.Create(lapPath)) {
        return fileFailure(lapFile);
    }
    m_pSerial->SetRecvTimeout(proto::kRecordTimeoutSeconds);
    for (int record = 1;; ++record) {
        m_pSerial->SendTo(proto::kReadRecord);
        if (m_pSerial->recvString(reply) == -2) {
            return lapFile.Close() ? kResultFailed : fileFailure(lapFile);
        }
        const Status status = StatusOf(reply);
        if (status == Status::SetEnd) {
            break;
        }
        if (status == Status::NoData) {
            return lapFile.Remove() ? kResultNoData : fileFailure(lapFile);
        }
        if (status == Status::Other) {
            return lapFile.Close() ? kResultFailed : fileFailure(lapFile);
        }
        std::string payload = Mid(reply, proto::kRecordHeaderLength);
        bool written = true;
        if (record == 1) {
            written = lapFile.WriteLine(LogNameLine(payload));
        } else if (record <= 4) {
            static const char* const kLabels[] = {"TOTAL,'", "BEST LAP,'", "AVERAGE LAP,'"};
            FormatDeviceTime(payload);
            written = lapFile.WriteLine(kLabels[record - 2] + payload);
        } else if (record == 5) {
            std::string start = Mid(payload, 0, 14);
            FormatDeviceTime(start);
            m_nLapBoundaryMs = TimeTextToMs(start);
            m_nLapIndex = 0;
            state.sampleCount = ParseHexField(Mid(payload, 15));
            written = lapFile.WriteLine("") && lapFile.WriteLine("LAP,LAP TIME");
        } else {
            FormatDeviceTime(payload);
            state.laps.push_back(payload);
            written = lapFile.WriteLine(std::to_string(state.laps.size()) + ",'" + payload);
        }
        if (!written) {
            return fileFailure(lapFile);
        }
    }
    if (!lapFile.Close()) {
        return fileFailure(lapFile);
    }

    // The set change.
    m_pSerial->SendTo(proto::kChangeSet);
    if (m_pSerial->recvString(reply) == -2 || reply != proto::kAck) {
        return kResultFailed;
    }

    // The sample set, with progress and the cancel request.
    m_platform.SetControlText(ctl::kStaticInfo, logPath);
    const bool proportional = state.sampleCount > 100;
    TextFileWriter logFile;
    if (!logFile.Create(logPath)) {
        return fileFailure(logFile);
    }
    m_pSerial->SetRecvTimeout(proto::kRecordTimeoutSeconds);
    SampleFields fields;
    unsigned exchanges = 0;
    for (int record = 1;; ++record) {
        m_pSerial->SendTo(proto::kReadRecord);
        const int received = m_pSerial->recvString(reply);
        ++exchanges;
        PumpMessages();
        if (m_bCancelRequested) {
            logFile.Close();
            return kResultCancelled;
        }
        if (proportional) {
            const unsigned percent =
                std::min(exchanges * 100u / static_cast<unsigned>(state.sampleCount), 100u);
            m_platform.ProgressSetPos(static_cast<int>(percent));
            m_platform.SetControlText(ctl::kStaticPercent, PercentText(static_cast<int>(percent)));
            PumpMessages();
            if (m_bCancelRequested) {
                logFile.Close();
                return kResultCancelled;
            }
        } else {
            m_platform.ProgressSetPos(100);
            m_platform.SetControlText(ctl::kStaticPercent, PercentText(100));
        }
        if (received == -2) {
            return logFile.Close() ? kResultFailed : fileFailure(logFile);
        }
        const Status status = StatusOf(reply);
        if (status == Status::SetEnd) {
            return logFile.Close() ? kResultCompleted : fileFailure(logFile);
        }
        if (status == Status::NoData) {
            return logFile.Remove() ? kResultNoData : fileFailure(logFile);
        }
        if (status == Status::Other) {
            return logFile.Close() ? kResultFailed : fileFailure(logFile);
        }
        const std::string payload = Mid(reply, proto::kRecordHeaderLength);
        std::string line;
        if (record == 1) {
            line = LogNameLine(payload);
        } else if (record == 2) {
            state.interval = ParseHexField(payload);
            if (!logFile.WriteLine("SAMPLING INTERVAL(sec)," + FormatSamplingInterval(payload))) {
                return fileFailure(logFile);
            }
            line = kLogHeader;
        } else {
            if (record > 3) {
                NextRecTime(state.recordingTime, state.interval);
            }
            if (ParseSampleFields(payload, fields) != 1) {
                m_failureDetail = "A sample record could not be read: " + payload;
                logFile.Close();
                return kResultFailed;
            }
            line = "'" + state.recordingTime + "," + SteeringText(fields) + "," +
                   ThrottleText(fields) + "," + RpmText(fields) + "," + VoltText(fields) + "," +
                   Temp1Text(fields) + "," + Temp2Text(fields) + "," +
                   LapColumnText(state.recordingTime, state.laps);
        }
        if (!logFile.WriteLine(line)) {
            return fileFailure(logFile);
        }
    }
}
