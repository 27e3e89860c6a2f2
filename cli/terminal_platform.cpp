#include "cli/terminal_platform.h"

#include <cstdio>
#include <utility>

#include "app/control_ids.h"
#include "app/cp932.h"
#include "app/datadock_dlg.h"
#include "cli/console.h"

namespace {

std::string Bar(int percent) {
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    return "[" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(kWidth - filled), ' ') + "]";
}

}  // namespace

TerminalPlatform::TerminalPlatform(std::deque<std::string> paths)
    : m_paths(std::move(paths)), m_live(StderrIsTerminal()) {}

void TerminalPlatform::CatchInterrupt() {
    CatchConsoleInterrupt();
}

void TerminalPlatform::ShowControl(int id, bool visible) {
    m_visible[id] = visible;
    // The transfer layout appearing is when its title and path become news,
    // in the layout's order: the title first.
    if (visible && (id == ctl::kStaticTitle || id == ctl::kStaticInfo)) {
        ShowStatus(id, m_texts[id]);
    }
}

void TerminalPlatform::SetControlText(int id, const std::string& text) {
    const bool changed = std::exchange(m_texts[id], text) != text;
    if (id == ctl::kStaticPercent && changed) {
        ShowPercent(text);
    } else if (id == ctl::kStaticInfo && m_visible[id]) {
        ShowStatus(id, text);  // the next file, or the version line
    }
}

void TerminalPlatform::ShowStatus(int id, const std::string& text) {
    if (text.empty() || m_printed[id] == text) {
        return;  // each title or path once
    }
    m_printed[id] = text;
    EndLiveLine();
    std::fprintf(stderr, "%s\n", mixedTextToUtf8(text).c_str());
}

void TerminalPlatform::ShowPercent(const std::string& text) {
    if (text.empty()) {
        return;
    }
    if (m_live) {
        std::fprintf(stderr, "\r%s %s", Bar(m_progress).c_str(), text.c_str());
        m_liveLineOpen = true;
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    std::fflush(stderr);
}

void TerminalPlatform::EndLiveLine() {
    if (m_liveLineOpen) {
        std::fputc('\n', stderr);
        m_liveLineOpen = false;
    }
}

void TerminalPlatform::PumpMessages() {
    if (ConsoleInterrupted() && m_dlg != nullptr && !m_dlg->CancelRequested()) {
        m_dlg->OnCancel();
    }
}

bool TerminalPlatform::AskYesNo(const std::string& text) {
    EndLiveLine();
    std::fprintf(stderr, "%s\n", mixedTextToUtf8(text).c_str());
    return true;
}

void TerminalPlatform::MessageBox(const std::string& text, MessageIcon, const std::string& detail) {
    EndLiveLine();
    std::string lines = text;
    for (std::size_t at; (at = lines.find("\r\n")) != std::string::npos;) {
        lines.replace(at, 2, "\n");
    }
    std::printf("%s\n", cp932ToUtf8(lines).c_str());
    std::fflush(stdout);
    if (!detail.empty()) {
        std::fprintf(stderr, "%s\n", mixedTextToUtf8(detail).c_str());
    }
}

std::optional<std::string> TerminalPlatform::RunFileDialog(const FileDialogRequest&) {
    if (m_paths.empty()) {
        return std::nullopt;
    }
    std::string path = m_paths.front();
    m_paths.pop_front();
    return path;
}
