#pragma once

#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_platform.h"
#include "app/file_dialog.h"
#include "device/transfer_events.h"
#include "serial/clock.h"
#include "serial/serial_port_api.h"

// The main window's logic: the port choice, the idle and transfer layouts,
// the file dialogs and the frame each transfer runs in. The transfers run on
// the window's thread inside their click handlers; this class shows them
// (their events keep the window alive) and reports how they ended. The window
// system is reached only through DialogPlatform, so the Qt window, the Win32
// window and the tests all drive this same class.
class CDatadockDlg final : private TransferEvents {
public:
    using PortScanner = std::function<std::vector<std::string>()>;
    using SerialFactory = std::function<std::unique_ptr<SerialPortAPI>()>;

    // scanner lists the ports to offer, in ascending order of their numbers.
    // The constructor already runs the first scan.
    CDatadockDlg(DialogPlatform& platform, PortScanner scanner, SerialFactory makeSerial,
                 Clock& clock = systemClock());
    ~CDatadockDlg() override;

    // Window lifecycle, as the window system calls it.
    void OnInitDialog();
    void OnTimer(int timerId);
    void OnCancel();
    void OnDestroy();
    // The Cancel button: stops the running transfer, the window stays open.
    void OnStopTransfer();

    // Click handlers of the three buttons; each says how its transfer ended,
    // or nothing for a click while another transfer runs (it does nothing).
    std::optional<TransferOutcome> OnLogSave();
    std::optional<TransferOutcome> OnModelSave();
    std::optional<TransferOutcome> OnSoftwareUpdate();

    // Services of the transfer frame.
    int ConnectPort();
    void ShowLogSaveLayout();
    void ShowModelSaveLayout();
    void ShowUpdateLayout();
    int RestoreMainLayout();
    void PumpMessages();

    // Port discovery.
    void EnumeratePorts(std::list<std::string>& ports);
    void RefillPortChoice();

    // The file choices; 1 when the transfer's files were chosen.
    int SelectLogFiles();
    int SelectModelFile();
    int SelectUpdateFile();

    // MODEL SAVE is offered only when the program was started with -VARDO.
    void EnableModelSave() { m_bShowModelSave = true; }
    // Raised by OnCancel (Esc, the close box); the running transfer stops at
    // its next look.
    bool CancelRequested() const { return m_bCancelRequested; }
    bool PortOpen() const { return m_pSerial && m_pSerial->IsOpen(); }

private:
    // How the running transfer is shown.
    void ShowInfo(const std::string& text) override;
    void ShowProgress(int percent) override;
    void HideProgress() override;
    void LoggerSilent(bool silent) override;
    void Busy(bool busy) override;
    void UpdateUnderway(bool underway) override;
    bool StopRequested() override;
    void Finished(const TransferResult& result) override;

    bool Stopping() const { return m_bCancelRequested || m_bStopRequested; }
    bool StopConfirmed();
    void ShowTransferLayout(const char* title, const std::string& info, bool withProgress);
    void ShowIdleButtons();
    // name: the transfer's, as its button names it.
    std::optional<TransferOutcome> RunTransferFrame(
        const char* name, const std::function<int()>& selectFiles,
        const std::function<TransferOutcome()>& transfer);
    // Runs the dialog as m_pFileDialog; 1 when a file was chosen.
    int SelectFile(std::unique_ptr<CFileDialog> dialog);
    // The port the controls name now: the label for one port, the combo box's
    // selection for two or more; empty when there is none.
    std::string ChosenPortName() const;

    std::unique_ptr<CFileDialog> m_pLapFileDialog;
    std::unique_ptr<CFileDialog> m_pLogFileDialog;
    std::unique_ptr<CFileDialog> m_pFileDialog;
    std::unique_ptr<SerialPortAPI> m_pSerial;
    // The ports found by the last scan, by name (COM7, /dev/ttyUSB0), in
    // ascending order of their numbers; duplicates kept.
    std::list<std::string> m_portNumbers;

    bool m_bShowModelSave = false;
    bool m_bCancelRequested = false;
    bool m_bStopRequested = false;
    // From the logger's acceptance of SUPM on, a stop leaves it without firmware.
    bool m_bUpdateUnderway = false;
    bool m_bTransferRunning = false;
    // The info line's own text while it says that the logger is silent.
    std::string m_hiddenInfo;
    const char* m_transferName = "";  // the running transfer's, as its button names it
    DialogPlatform& m_platform;
    PortScanner m_scanPorts;
    SerialFactory m_makeSerial;
    Clock& m_clock;
};
