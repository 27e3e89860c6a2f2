#pragma once

#include <functional>
#include <string>
#include <vector>

#include "device/conversation.h"

class TextFileWriter;

// The conversation around each download: "DSTA," with the kind of data until
// the logger takes it, the download itself, the result, and "DEND" three
// times. The two downloads build on it.
class DownloadConversation : protected Conversation {
public:
    using Conversation::Conversation;

protected:
    using Download = std::function<TransferResult()>;

    // kindDigit: "1" the log data, "0" the model data. targets: the files the
    // download writes, each checked before the logger is asked, so that a
    // target that cannot be written costs none of the others.
    TransferResult RunDownloadConversation(const std::string& kindDigit,
                                           const std::vector<std::string>& targets,
                                           const Download& download);

    // From now on path holds only part of the data until its set completes.
    void BeginPartialFile(const std::string& path);
    // A record's lines are in the file: on the disk, so that the partial-file
    // note counts only what the file holds.
    bool CountRecord(TextFileWriter& file);
    // How a data set ends on a reply that is not taken as a data record:
    // complete, no data (the file goes), or failed (the file keeps what it
    // has). A file that cannot be closed or deleted turns any outcome into a
    // failure.
    TransferResult EndOfSet(TextFileWriter& file, const std::string& reply, int received);
    static TransferResult FileFailure(const TextFileWriter& file);

private:
    // The result with its partial file and message, told to the events.
    TransferResult Finish(TransferResult result);
    void CloseDownloadConversation(std::string& reply);

    PartialFile m_partialFile;
};
