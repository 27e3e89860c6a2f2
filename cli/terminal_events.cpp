#include "cli/terminal_events.h"

#include <cstdio>

#include "cli/console.h"
#include "device/transfer_texts.h"
#include "text/cp932.h"

namespace {

std::string Bar(int percent) {
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    return "[" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(kWidth - filled), ' ') + "]";
}

}  // namespace

TerminalEvents::TerminalEvents() : m_live(StderrIsTerminal()) {}

void TerminalEvents::CatchInterrupt() {
    CatchConsoleInterrupt();
}

void TerminalEvents::ShowTitle(const std::string& title, const std::string& info) {
    PrintStatus(m_printedTitle, title);
    ShowInfo(info);
}

void TerminalEvents::ShowInfo(const std::string& text) {
    m_info = text;
    PrintStatus(m_printedInfo, text);
}

void TerminalEvents::PrintStatus(std::string& lastPrinted, const std::string& text) {
    if (text.empty() || lastPrinted == text) {
        return;  // each title or path once
    }
    lastPrinted = text;
    PrintToStderr(text);
}

void TerminalEvents::PrintToStderr(const std::string& text) {
    EndLiveLine();
    PrintText(stderr, mixedTextToUtf8(text) + "\n");
}

void TerminalEvents::ShowProgress(int percent) {
    const std::string text = std::to_string(percent) + "%";
    if (text == m_percentText) {
        return;
    }
    m_percentText = text;
    if (m_live) {
        PrintText(stderr, "\r" + Bar(percent) + " " + text);
        m_liveLineOpen = true;
    } else {
        PrintText(stderr, text + "\n");
    }
    std::fflush(stderr);
}

void TerminalEvents::EndLiveLine() {
    if (m_liveLineOpen) {
        PrintText(stderr, "\n");
        m_liveLineOpen = false;
    }
}

void TerminalEvents::LoggerSilent(bool silent) {
    if (silent) {
        m_hiddenInfo = m_info;
        ShowInfo(translated(txt::kWaitingForLogger));
    } else {
        ShowInfo(m_hiddenInfo);
    }
}

bool TerminalEvents::StopRequested() {
    if (ConsoleInterrupted() && !m_stopping) {
        if (m_updateUnderway) {
            PrintToStderr(translated(txt::kConfirmUpdateStop));
        }
        m_stopping = true;
    }
    return m_stopping;
}

void TerminalEvents::Finished(const TransferResult& result) {
    EndLiveLine();
    if (!result.message.empty()) {
        std::string lines = result.message;
        for (std::size_t at; (at = lines.find("\r\n")) != std::string::npos;) {
            lines.replace(at, 2, "\n");
        }
        // Translated messages are UTF-8 already.
        PrintText(stdout, mixedTextToUtf8(lines) + "\n");
        std::fflush(stdout);
    }
    if (const std::string detail = result.Detail(); !detail.empty()) {
        PrintToStderr(detail);
    }
}
