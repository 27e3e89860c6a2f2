#pragma once

// How a transfer ended. The window picks its message box from it and the
// command line its exit status; nothing decides from a message's text.
enum class TransferOutcome {
    Completed,
    Failed,
    Cancelled,     // the user stopped it, or did not choose a file
    NoData,        // the logger holds nothing to save
    NotConnected,  // the port could not be opened
};
