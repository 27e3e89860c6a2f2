// MODEL SAVE: the model values, one decimal number per line.
#include <algorithm>
#include <cstdio>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/texts.h"
#include "device/hex_field.h"
#include "device/protocol.h"
#include "device/text_file.h"
#include "device/wait_cursor.h"

int CDatadockDlg::SelectModelFile() {
    return SelectFile(CsvSaveDialog("_model"));
}

namespace {

// "OK00,01,2C" gives 300: the commas go, the first four digits count.
std::string ModelLine(const std::string& reply) {
    std::string digits = Mid(reply, proto::kRecordHeaderLength);
    digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
    char line[16];
    std::snprintf(line, sizeof line, "%02d", ParseHexField(Mid(digits, 0, 4)));
    return line;
}

}  // namespace

// The model download ends with the set, an unexpected reply, a 10 s silence,
// a file error, or a stop from one of its waits.
int CDatadockDlg::DownloadModelData(const std::string& path) {
    TextFileWriter file;
    if (!file.Create(path)) {
        return FileFailure(file);
    }
    m_partialFile = {path, 0};
    m_pSerial->SetRecvTimeout(proto::kRecordTimeoutSeconds);
    WaitCursor waitCursor(m_platform);
    std::string reply;
    for (;;) {
        m_pSerial->SendTo(proto::kReadRecord);
        const int received = m_pSerial->recvString(reply);
        // Only "OK00" is a value here; "K00," ends the download as a failure.
        if (received == SerialPortAPI::kTimedOut || StatusOf(reply) != RecordStatus::Data ||
            Mid(reply, 0, proto::kStatusLength) != proto::kStatusData) {
            return EndOfSet(file, reply, received);
        }
        if (!file.WriteLine(ModelLine(reply))) {
            return FileFailure(file);
        }
        ++m_partialFile.records;
    }
}
