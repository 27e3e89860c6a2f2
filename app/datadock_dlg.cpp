#include "app/datadock_dlg.h"

#include <algorithm>

#include "app/combo_model.h"
#include "app/control_ids.h"
#include "app/device_access_hint.h"
#include "app/texts.h"
#include "serial/port_name_rule.h"

namespace {
// Shown in every transfer layout, hidden in the idle one.
constexpr int kTransferStatusControls[] = {ctl::kStaticTitle, ctl::kStaticInfo, ctl::kStaticPercent,
                                           ctl::kGroupTransfer};

// Raises a flag for as long as it lives.
class TransferRunning {
public:
    explicit TransferRunning(bool& flag) : m_flag(flag) { m_flag = true; }
    ~TransferRunning() { m_flag = false; }
    TransferRunning(const TransferRunning&) = delete;
    TransferRunning& operator=(const TransferRunning&) = delete;

private:
    bool& m_flag;
};
}  // namespace

CDatadockDlg::CDatadockDlg(DialogPlatform& platform, PortScanner scanner, SerialFactory makeSerial,
                           Clock& clock)
    : m_platform(platform),
      m_scanPorts(std::move(scanner)),
      m_makeSerial(std::move(makeSerial)),
      m_clock(clock) {
    EnumeratePorts(m_portNumbers);
}

CDatadockDlg::~CDatadockDlg() = default;

void CDatadockDlg::OnInitDialog() {
    m_bCancelRequested = 0;
    m_pSerial = m_makeSerial();
    m_pSerial->SetWaitHook([this] { KeepWindowAlive(); });
    m_pLapFileDialog.reset();
    m_pLogFileDialog.reset();
    m_pFileDialog.reset();
    RefillPortChoice();
    m_platform.ShowControl(ctl::kBtnModelSave, m_bShowModelSave == 1);
    m_platform.ShowControl(ctl::kBtnCancel, false);
    m_platform.StartTimer(kPortPollTimerId, kPortPollIntervalMs);
}

// While a transfer holds the port open, the port list must not change under
// it. A refill is left out while the user has the list dropped down (it would
// move the highlight under the user's hand) and when the scan found the ports
// the box already offers; a later tick catches up.
void CDatadockDlg::OnTimer(int timerId) {
    if (timerId == kPortPollTimerId && m_pSerial && !m_pSerial->IsOpen()) {
        EnumeratePorts(m_portNumbers);
        ComboModel found;
        for (const std::string& name : m_portNumbers) {
            found.Add(name);
        }
        if (!m_platform.ComboListOpen() && found.items != m_platform.ComboItems()) {
            RefillPortChoice();
        }
    }
}

// The modal loop ends once the running handler, if any, has finished its frame;
// the flag makes that handler stop at its next pump.
void CDatadockDlg::OnCancel() {
    if (!StopConfirmed()) {
        return;
    }
    m_platform.EndDialog(IDCANCEL);
    m_bCancelRequested = 1;
}

void CDatadockDlg::OnStopTransfer() {
    if (StopConfirmed()) {
        m_bStopRequested = true;
    }
}

// The question is asked while the transfer waits for it; No lets it carry on.
bool CDatadockDlg::StopConfirmed() {
    return !m_bUpdateCommitted || StopRequested() || m_platform.AskYesNo(txt::kConfirmUpdateStop);
}

// Every wait of a transfer comes here at least every 20 ms.
void CDatadockDlg::KeepWindowAlive() {
    PumpMessages();
    if (m_bWaitsStoppable && StopRequested()) {
        throw TransferStopped{};
    }
}

void CDatadockDlg::Pause(int milliseconds) {
    const std::int64_t end = m_clock.monotonicMs() + milliseconds;
    for (std::int64_t left = milliseconds; left > 0; left = end - m_clock.monotonicMs()) {
        m_clock.sleepMs(
            static_cast<int>(std::min<std::int64_t>(left, SerialPortAPI::kWaitSliceMs)));
        KeepWindowAlive();
    }
}

std::string CDatadockDlg::PartialFileNote() const {
    if (m_partialFile.path.empty()) {
        return {};
    }
    const int records = m_partialFile.records;
    return m_partialFile.path + " holds only part of the data (" + std::to_string(records) +
           (records == 1 ? " record)." : " records).");
}

void CDatadockDlg::OnDestroy() {
    m_pSerial.reset();
    m_pFileDialog.reset();
    m_pLapFileDialog.reset();
    m_pLogFileDialog.reset();
    m_platform.KillTimer(kPortPollTimerId);
}

void CDatadockDlg::EnumeratePorts(std::list<std::string>& ports) {
    ports.clear();
    for (std::string& name : m_scanPorts()) {
        ports.push_back(std::move(name));
    }
}

void CDatadockDlg::RefillPortChoice() {
    const std::string remembered = m_platform.ComboSelectedText();
    m_platform.ComboReset();
    for (const std::string& name : m_portNumbers) {
        m_platform.ComboAddString(name);
    }
    const std::vector<std::string> items = m_platform.ComboItems();
    int selection = items.empty() ? -1 : 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == remembered) {
            selection = static_cast<int>(i);
            break;
        }
    }
    m_platform.ComboSelectIndex(selection);
    m_platform.ComboEnable(true);

    const int count = static_cast<int>(items.size());
    m_platform.ShowControl(ctl::kComboPort, count >= 2);
    if (count < 2) {
        m_platform.SetControlText(ctl::kStaticPort, count == 0 ? txt::kNoPort : items.front());
    }
    m_platform.ShowControl(ctl::kStaticPort, count < 2);
    m_platform.UpdateWindow();
}

std::string CDatadockDlg::ChosenPortName() const {
    const int count = m_platform.ComboCount();
    if (count == 0) {
        return {};
    }
    return count == 1 ? m_platform.ControlText(ctl::kStaticPort) : m_platform.ComboSelectedText();
}

int CDatadockDlg::ConnectPort() {
    const std::string name = ChosenPortName();
    if (name.empty() || !m_pSerial->SetPortName(name)) {
        return 0;
    }
    m_pSerial->SetTimeoutCheck(true);
    return m_pSerial->TryOpen() == 1 ? 1 : 0;
}

std::string CDatadockDlg::NotConnectedDetail() const {
    const std::string name = ChosenPortName();
    if (name.empty()) {
        return "No KTR-90 cable was found. Plug in the cable and try again.";
    }
    if (!isAcceptablePortName(name, platformPortNaming())) {
        return "\"" + name + "\" is not a serial port name.";
    }
    std::string detail = "Cannot open " + name + ". " + m_pSerial->LastUserText();
    if (m_pSerial->LastSystemError().problem == DeviceProblem::AccessDenied &&
        platformPortNaming() == PortNaming::Posix) {
        detail += "\n" + deviceAccessHint(cableRuleInstalled());
    }
    return detail;
}

void CDatadockDlg::ReportNotConnected() {
    m_platform.MessageBox(txt::kNotConnected, MessageIcon::Exclamation, NotConnectedDetail());
}

void CDatadockDlg::ShowTransferLayout(const char* title, const std::string& info,
                                      bool withProgress) {
    m_platform.SetControlText(ctl::kStaticTitle, title);
    m_platform.SetControlText(ctl::kStaticInfo, info);
    m_platform.SetControlText(ctl::kStaticPercent, "");
    for (int id : {ctl::kBtnLogSave, ctl::kBtnModelSave, ctl::kBtnUpdate}) {
        m_platform.ShowControl(id, false);
    }
    for (int id : kTransferStatusControls) {
        m_platform.ShowControl(id, true);
    }
    m_platform.ShowControl(ctl::kBtnCancel, true);
    if (withProgress) {
        m_platform.ShowControl(ctl::kProgress, true);
        m_platform.ProgressSetRange(0, 100);
    }
}

void CDatadockDlg::ShowLogSaveLayout() {
    ShowTransferLayout(txt::kTitleLogSave, m_pLapFileDialog->GetPathName(), true);
    m_platform.UpdateWindow();
}

void CDatadockDlg::ShowModelSaveLayout() {
    ShowTransferLayout(txt::kTitleModelSave, m_pFileDialog->GetPathName(), false);
    m_platform.UpdateWindow();
}

void CDatadockDlg::ShowIdleButtons() {
    m_platform.ShowControl(ctl::kBtnLogSave, true);
    m_platform.ShowControl(ctl::kBtnModelSave, m_bShowModelSave == 1);
    m_platform.ShowControl(ctl::kProgress, false);
    m_platform.ProgressSetPos(0);
    m_platform.ShowControl(ctl::kBtnUpdate, true);
    for (int id : kTransferStatusControls) {
        m_platform.ShowControl(id, false);
    }
    m_platform.ShowControl(ctl::kBtnCancel, false);
}

int CDatadockDlg::RestoreMainLayout() {
    ShowIdleButtons();
    return m_pSerial->TryClose();
}

void CDatadockDlg::PumpMessages() {
    m_platform.PumpMessages();
}

// The frame every transfer runs in: connect, choose the file(s), transfer,
// let go of the file dialogs, and restore the window, closing the port, also
// when the choice was cancelled, and also when something unforeseen is thrown
// (the window system reports that; the port must not stay open under it).
TransferOutcome CDatadockDlg::RunTransferFrame(const std::function<int()>& selectFiles,
                                               const std::function<TransferOutcome()>& transfer) {
    if (m_bTransferRunning) {
        return TransferOutcome::Cancelled;  // one transfer at a time; this click does nothing
    }
    const TransferRunning running(m_bTransferRunning);
    m_bStopRequested = false;
    m_partialFile = {};
    if (ConnectPort() != 1) {
        ReportNotConnected();
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

int CDatadockDlg::SelectFile(std::unique_ptr<CFileDialog> dialog) {
    m_pFileDialog = std::move(dialog);
    if (m_pFileDialog->DoModal(m_platform) != IDOK) {
        m_pFileDialog.reset();
        return 0;
    }
    return 1;
}

TransferOutcome CDatadockDlg::OnLogSave() {
    return RunTransferFrame([this] { return SelectLogFiles(); },
                            [this] {
                                ShowLogSaveLayout();
                                return RunDownloadConversation("1", [this] {
                                    return DownloadLogData(m_pLapFileDialog->GetPathName(),
                                                           m_pLogFileDialog->GetPathName());
                                });
                            });
}

TransferOutcome CDatadockDlg::OnModelSave() {
    return RunTransferFrame([this] { return SelectModelFile(); },
                            [this] {
                                ShowModelSaveLayout();
                                return RunDownloadConversation("0", [this] {
                                    return DownloadModelData(m_pFileDialog->GetPathName());
                                });
                            });
}

TransferOutcome CDatadockDlg::OnSoftwareUpdate() {
    return RunTransferFrame([this] { return SelectUpdateFile(); }, [this] { return RunUpdate(); });
}
