#pragma once

#include <string>

#include "device/transfer_events.h"

// How the command line shows a transfer: the system's messages go to stdout,
// one per line; the title, the info line, the progress and why a transfer
// failed go to stderr, the progress as a live bar on a terminal and as plain
// lines otherwise. Ctrl-C asks the transfer to stop.
class TerminalEvents final : public TransferEvents {
public:
    TerminalEvents();

    // Installs the Ctrl-C handler that raises the stop request at the next look.
    static void CatchInterrupt();

    // The transfer's title and its first info line, as the window shows them
    // when the transfer begins.
    void ShowTitle(const std::string& title, const std::string& info);

    void ShowInfo(const std::string& text) override;
    void ShowProgress(int percent) override;
    void HideProgress() override {}
    void LoggerSilent(bool silent) override;
    void Busy(bool) override {}
    // The command line does not ask before it stops a begun update: it warns.
    void UpdateUnderway(bool underway) override { m_updateUnderway = underway; }
    bool StopRequested() override;
    void Finished(const TransferResult& result) override;

private:
    // Prints a status line unless it is empty or the same as the last one
    // printed in its place.
    void PrintStatus(std::string& lastPrinted, const std::string& text);
    void PrintToStderr(const std::string& text);
    void EndLiveLine();

    std::string m_info;
    std::string m_hiddenInfo;  // the info line's own text while the logger is silent
    std::string m_printedTitle;
    std::string m_printedInfo;
    std::string m_percentText;
    bool m_updateUnderway = false;
    bool m_stopping = false;
    bool m_live;
    bool m_liveLineOpen = false;
};
