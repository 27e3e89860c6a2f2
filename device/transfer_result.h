#pragma once

#include <string>

// How a transfer ended. The window picks its message box from it and the
// command line its exit status; nothing decides from a message's text.
enum class TransferOutcome {
    Completed,
    Failed,
    Cancelled,     // the user stopped it, or did not choose a file
    NoData,        // the logger holds nothing to save
    NotConnected,  // the port could not be opened
};

// How grave the system's message is: the window shows it with the matching icon.
enum class Severity { Information, Warning, Error };

// A file that a failed or stopped download left with only part of its data.
struct PartialFile {
    std::string path;  // empty when no file is left incomplete
    int records = 0;
};

// Everything a transfer has to say when it ends, in one value.
struct TransferResult {
    TransferOutcome outcome = TransferOutcome::Failed;
    // The system's own message ("Completed to receive data!!"); empty when the
    // transfer ends without one (a stop).
    std::string message;
    Severity severity = Severity::Warning;
    // Why it failed, in a user's words; empty when there is nothing to add.
    std::string reason;
    PartialFile partialFile;

    // "PATH holds only part of the data (N records)."; empty without a partial file.
    std::string PartialFileNote() const;
    // The reason and the partial-file note, one a line: what is shown beside
    // the message.
    std::string Detail() const;
};
