#include "device/transfer_result.h"

std::string TransferResult::PartialFileNote() const {
    if (partialFile.path.empty()) {
        return {};
    }
    const int records = partialFile.records;
    return partialFile.path + " holds only part of the data (" + std::to_string(records) +
           (records == 1 ? " record)." : " records).");
}

std::string TransferResult::Detail() const {
    const std::string note = PartialFileNote();
    if (reason.empty() || note.empty()) {
        return reason + note;
    }
    return reason + "\n" + note;
}
