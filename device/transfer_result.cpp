#include "device/transfer_result.h"

#include "text/translation.h"

std::string TransferResult::PartialFileNote() const {
    if (partialFile.path.empty()) {
        return {};
    }
    const std::string& path = partialFile.path;
    if (partialFile.records == 1) {
        return translated("{file} holds only part of the data (1 record).", {{"file", path}});
    }
    return translated("{file} holds only part of the data ({count} records).",
                      {{"file", path}, {"count", std::to_string(partialFile.records)}});
}

std::string TransferResult::Detail() const {
    const std::string note = PartialFileNote();
    if (reason.empty() || note.empty()) {
        return reason + note;
    }
    return reason + "\n" + note;
}
