#pragma once

#include <csignal>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/combo_model.h"
#include "app/dialog_platform.h"

class CDatadockDlg;

// The window system of the command line: the system's messages go to stdout,
// one per line; the status lines and progress go to stderr, as a live bar on
// a terminal and as plain lines otherwise; file dialogs take the paths given
// on the command line; Ctrl-C is the close box.
class TerminalPlatform final : public DialogPlatform {
public:
    // paths: the answers of the file dialogs, in the order they are asked.
    explicit TerminalPlatform(std::deque<std::string> paths);

    void Attach(CDatadockDlg& dlg) { m_dlg = &dlg; }
    // Installs the Ctrl-C handler that raises the cancel request at the next pump.
    static void CatchInterrupt();

    void ShowControl(int id, bool visible) override;
    void SetControlText(int id, const std::string& text) override;
    std::string ControlText(int id) override { return m_texts[id]; }

    int ComboCount() override { return static_cast<int>(m_combo.items.size()); }
    std::string ComboSelectedText() override { return m_combo.SelectedText(); }
    void ComboReset() override { m_combo.Reset(); }
    void ComboAddString(const std::string& text) override { m_combo.Add(text); }
    void ComboSelectIndex(int index) override { m_combo.selection = index; }
    std::vector<std::string> ComboItems() override { return m_combo.items; }
    void ComboEnable(bool) override {}
    bool ComboListOpen() override { return false; }

    void ProgressSetRange(int, int) override {}
    void ProgressSetPos(int position) override { m_progress = position; }

    void UpdateWindow() override {}
    void PumpMessages() override;
    void StartTimer(int, int) override {}
    void KillTimer(int) override {}

    void MessageBox(const std::string& text, MessageIcon icon, const std::string& detail) override;
    // The command line does not ask: it warns on stderr and says yes.
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;

    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void EndDialog(int) override {}

private:
    void ShowStatus(int id, const std::string& text);
    void ShowPercent(const std::string& text);
    void EndLiveLine();

    std::deque<std::string> m_paths;
    CDatadockDlg* m_dlg = nullptr;
    std::map<int, std::string> m_texts;
    std::map<int, bool> m_visible;
    std::map<int, std::string> m_printed;  // the status line last printed per control
    ComboModel m_combo;
    int m_progress = 0;
    bool m_live;
    bool m_liveLineOpen = false;
};
