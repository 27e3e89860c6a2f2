#include "app/datadock_dlg.h"

#include "app/combo_model.h"
#include "app/control_ids.h"
#include "app/texts.h"
#include "device/port_connection.h"

namespace {
// Shown in every transfer layout, hidden in the idle one.
constexpr int kTransferStatusControls[] = {ctl::kStaticTitle, ctl::kStaticInfo, ctl::kStaticPercent,
                                           ctl::kGroupTransfer};
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
    m_bCancelRequested = false;
    m_pSerial = m_makeSerial();
    m_pLapFileDialog.reset();
    m_pLogFileDialog.reset();
    m_pFileDialog.reset();
    RefillPortChoice();
    m_platform.ShowControl(ctl::kBtnModelSave, m_bShowModelSave);
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
// the flag makes that handler stop at its next look.
void CDatadockDlg::OnCancel() {
    if (!StopConfirmed()) {
        return;
    }
    m_platform.EndDialog(IDCANCEL);
    m_bCancelRequested = true;
}

void CDatadockDlg::OnStopTransfer() {
    if (StopConfirmed()) {
        m_bStopRequested = true;
    }
}

// The question is asked while the transfer waits for it; No lets it carry on.
bool CDatadockDlg::StopConfirmed() {
    return !m_bUpdateUnderway || Stopping() ||
           m_platform.AskYesNo(translated(txt::kConfirmUpdateStop));
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
    return OpenLoggerPort(*m_pSerial, ChosenPortName()) ? 1 : 0;
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

// The info line waits for the versions, which the logger gives mid-way.
void CDatadockDlg::ShowUpdateLayout() {
    ShowTransferLayout(txt::kTitleUpdate, "", true);
}

void CDatadockDlg::ShowIdleButtons() {
    m_platform.ShowControl(ctl::kBtnLogSave, true);
    m_platform.ShowControl(ctl::kBtnModelSave, m_bShowModelSave);
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
