// The frame the three transfers run in, their file choices, and how the
// window shows a running transfer.
#include <string_view>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/texts.h"
#include "device/file_access.h"
#include "device/log_save.h"
#include "device/model_save.h"
#include "device/port_connection.h"
#include "update/software_update.h"

namespace {

// Raises a flag for as long as it lives.
class RaisedWhile {
public:
    explicit RaisedWhile(bool& flag) : m_flag(flag) { m_flag = true; }
    ~RaisedWhile() { m_flag = false; }
    RaisedWhile(const RaisedWhile&) = delete;
    RaisedWhile& operator=(const RaisedWhile&) = delete;

private:
    bool& m_flag;
};

MessageIcon IconFor(Severity severity) {
    switch (severity) {
        case Severity::Information:
            return MessageIcon::Information;
        case Severity::Error:
            return MessageIcon::Error;
        case Severity::Warning:
            break;
    }
    return MessageIcon::Exclamation;
}

}  // namespace

// Connect, choose the file(s), transfer, let go of the file dialogs, and
// restore the window, closing the port, also when the choice was cancelled,
// and also when something unforeseen is thrown (the window system reports
// that; the port must not stay open under it).
std::optional<TransferOutcome> CDatadockDlg::RunTransferFrame(
    const char* name, const std::function<int()>& selectFiles,
    const std::function<TransferOutcome()>& transfer) {
    if (m_bTransferRunning) {
        return std::nullopt;  // one transfer at a time
    }
    const RaisedWhile running(m_bTransferRunning);
    m_transferName = name;
    m_bStopRequested = false;
    if (ConnectPort() != 1) {
        Finished(NotConnected(*m_pSerial, ChosenPortName()));
        return TransferOutcome::NotConnected;
    }
    const auto endFrame = [this] {
        m_pLapFileDialog.reset();
        m_pLogFileDialog.reset();
        m_pFileDialog.reset();
        RestoreMainLayout();
    };
    TransferOutcome outcome = TransferOutcome::Cancelled;
    try {
        if (selectFiles() == 1) {
            outcome = transfer();
        }
    } catch (...) {
        endFrame();
        throw;
    }
    endFrame();
    return outcome;
}

std::optional<TransferOutcome> CDatadockDlg::OnLogSave() {
    return RunTransferFrame(
        txt::kLogSave, [this] { return SelectLogFiles(); },
        [this] {
            ShowLogSaveLayout();
            LogSave logSave(*m_pSerial, m_clock, *this);
            return logSave.Run(m_pLapFileDialog->GetPathName(), m_pLogFileDialog->GetPathName())
                .outcome;
        });
}

std::optional<TransferOutcome> CDatadockDlg::OnModelSave() {
    return RunTransferFrame(
        txt::kModelSave, [this] { return SelectModelFile(); },
        [this] {
            ShowModelSaveLayout();
            ModelSave modelSave(*m_pSerial, m_clock, *this);
            return modelSave.Run(m_pFileDialog->GetPathName()).outcome;
        });
}

std::optional<TransferOutcome> CDatadockDlg::OnSoftwareUpdate() {
    return RunTransferFrame(
        txt::kSoftwareUpdate, [this] { return SelectUpdateFile(); },
        [this] {
            ShowUpdateLayout();
            SoftwareUpdate update(*m_pSerial, m_clock, *this);
            return update.Run(m_pFileDialog->GetPathName()).outcome;
        });
}

// ---- File choices ---------------------------------------------------------

int CDatadockDlg::SelectFile(std::unique_ptr<CFileDialog> dialog) {
    m_pFileDialog = std::move(dialog);
    if (m_pFileDialog->DoModal(m_platform) != IDOK) {
        m_pFileDialog.reset();
        return 0;
    }
    return 1;
}

int CDatadockDlg::SelectLogFiles() {
    m_pLapFileDialog = CsvSaveDialog("_lap");
    if (m_pLapFileDialog->DoModal(m_platform) != IDOK) {
        m_pLapFileDialog.reset();
        return 0;
    }
    // The log file is created after the lap file is written: the same path
    // would silently replace the lap data.
    for (;;) {
        m_pLogFileDialog = CsvSaveDialog("_log");
        if (m_pLogFileDialog->DoModal(m_platform) != IDOK) {
            m_pLogFileDialog.reset();
            m_pLapFileDialog.reset();
            return 0;
        }
        if (!IsSamePath(m_pLogFileDialog->GetPathName(), m_pLapFileDialog->GetPathName())) {
            return 1;
        }
        m_platform.MessageBox(translated(txt::kLogIsLapFile), MessageIcon::Exclamation,
                              translated(txt::kChooseAnotherLogName));
    }
}

int CDatadockDlg::SelectModelFile() {
    return SelectFile(CsvSaveDialog("_model"));
}

int CDatadockDlg::SelectUpdateFile() {
    return SelectFile(
        std::make_unique<CFileDialog>(true, "dat", "", translated(txt::kUpdateFilter)));
}

// ---- The running transfer -------------------------------------------------

void CDatadockDlg::ShowInfo(const std::string& text) {
    m_platform.SetControlText(ctl::kStaticInfo, text);
}

void CDatadockDlg::ShowProgress(int percent) {
    m_platform.ProgressSetPos(percent);
    m_platform.SetControlText(ctl::kStaticPercent, std::to_string(percent) + "%");
}

void CDatadockDlg::HideProgress() {
    m_platform.ShowControl(ctl::kProgress, false);
    m_platform.ProgressSetPos(0);
}

// The info line's own text comes back once the logger answers.
void CDatadockDlg::LoggerSilent(bool silent) {
    if (silent) {
        m_hiddenInfo = m_platform.ControlText(ctl::kStaticInfo);
        ShowInfo(translated(txt::kWaitingForLogger));
    } else {
        ShowInfo(m_hiddenInfo);
    }
}

void CDatadockDlg::Busy(bool busy) {
    if (busy) {
        m_platform.BeginWaitCursor();
    } else {
        m_platform.EndWaitCursor();
    }
}

void CDatadockDlg::UpdateUnderway(bool underway) {
    m_bUpdateUnderway = underway;
}

// Every wait of a transfer comes here at least every 20 ms.
bool CDatadockDlg::StopRequested() {
    PumpMessages();
    return Stopping();
}

// A stop that leaves a partial file says which, as a failure does. A saved
// log is offered to view.
void CDatadockDlg::Finished(const TransferResult& result) {
    std::vector<std::string> viewable;
    if (result.outcome == TransferOutcome::Completed &&
        std::string_view(m_transferName) == txt::kLogSave) {
        viewable = {m_pLapFileDialog->GetPathName(), m_pLogFileDialog->GetPathName()};
    }
    if (!result.message.empty()) {
        m_platform.MessageBox(result.message, IconFor(result.severity), result.Detail(), viewable);
    } else if (result.outcome == TransferOutcome::Cancelled && !result.partialFile.path.empty()) {
        m_platform.MessageBox(translated(txt::kStopped, {{"transfer", m_transferName}}),
                              MessageIcon::Information, result.PartialFileNote());
    }
}
