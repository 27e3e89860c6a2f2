// MODEL SAVE: the model values, one decimal number per line.
#include "device/model_save.h"

#include <algorithm>
#include <cstdio>

#include "device/hex_field.h"
#include "device/protocol.h"
#include "device/text_file.h"

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

TransferResult ModelSave::Run(const std::string& path) {
    return RunDownloadConversation("0", {path}, [&] { return DownloadModelData(path); });
}

// The model download ends with the set, an unexpected reply, a 10 s silence,
// a file error, or a stop from one of its waits.
TransferResult ModelSave::DownloadModelData(const std::string& path) {
    TextFileWriter file;
    if (!file.Create(path)) {
        return FileFailure(file);
    }
    BeginPartialFile(path);
    m_port.SetRecvTimeout(proto::kRecordTimeoutSeconds);
    const BusyWhile busy(m_events);
    std::string reply;
    for (;;) {
        m_port.SendTo(proto::kReadRecord);
        const int received = m_port.recvString(reply);
        // Only "OK00" is a value here; "K00," ends the download as a failure.
        if (received == SerialPortAPI::kTimedOut || StatusOf(reply) != RecordStatus::Data ||
            Mid(reply, 0, proto::kStatusLength) != proto::kStatusData) {
            return EndOfSet(file, reply, received);
        }
        if (!file.WriteLine(ModelLine(reply))) {
            return FileFailure(file);
        }
        if (!CountRecord(file)) {
            return FileFailure(file);
        }
    }
}
