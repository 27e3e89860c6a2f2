#pragma once

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "app/dialog_platform.h"
#include "app/file_dialog.h"
#include "app/transfer_outcome.h"
#include "serial/clock.h"
#include "serial/serial_port_api.h"

struct LogDownloadState;
class TextFileWriter;
namespace proto {
class OwedReplies;
}

// The main window's logic: the port choice, the idle and transfer layouts, and
// the three transfers, which run on the window's thread inside their click
// handlers and keep the window alive through PumpMessages. The window system
// is reached only through DialogPlatform, so the Qt window, the command line
// and the tests all drive this same class.
class CDatadockDlg {
public:
    using PortScanner = std::function<std::vector<std::string>()>;
    using SerialFactory = std::function<std::unique_ptr<SerialPortAPI>()>;
    using Download = std::function<int()>;

    // scanner lists the ports to offer, in ascending order of their numbers.
    // The constructor already runs the first scan.
    CDatadockDlg(DialogPlatform& platform, PortScanner scanner, SerialFactory makeSerial,
                 Clock& clock = systemClock());
    ~CDatadockDlg();

    // Window lifecycle, as the window system calls it.
    void OnInitDialog();
    void OnTimer(int timerId);
    void OnCancel();
    void OnDestroy();
    // The Cancel button: stops the running transfer, the window stays open.
    void OnStopTransfer();

    // Click handlers of the three buttons; each says how its transfer ended.
    TransferOutcome OnLogSave();
    TransferOutcome OnModelSave();
    TransferOutcome OnSoftwareUpdate();

    // Services the transfers share.
    int ConnectPort();
    void ShowLogSaveLayout();
    void ShowModelSaveLayout();
    int RestoreMainLayout();
    void PumpMessages();
    // Pauses for milliseconds of the clock, keeping the window alive.
    void Pause(int milliseconds);

    // Port discovery.
    void EnumeratePorts(std::list<std::string>& ports);
    void RefillPortChoice();

    // Download conversation and handshake, shared by all transfers.
    TransferOutcome RunDownloadConversation(const std::string& kindDigit, const Download& download);
    enum class Handshake { Accepted, Cancelled };
    Handshake RunHandshake(const std::string& command,
                           const std::function<bool(const std::string&)>& accept,
                           std::string& reply);

    // LOG SAVE.
    int SelectLogFiles();
    int DownloadLogData(const std::string& lapPath, const std::string& logPath);
    std::string LapColumnText(const std::string& recordingTime,
                              const std::vector<std::string>& laps);

    // MODEL SAVE.
    int SelectModelFile();
    int DownloadModelData(const std::string& path);

    // SOFTWARE UPDATE.
    int SelectUpdateFile();
    TransferOutcome RunUpdate();
    int UpdateFirmware(const std::string& path);

    std::unique_ptr<CFileDialog> m_pLapFileDialog;
    std::unique_ptr<CFileDialog> m_pLogFileDialog;
    std::unique_ptr<CFileDialog> m_pFileDialog;
    std::unique_ptr<SerialPortAPI> m_pSerial;
    // The ports found by the last scan, by name (COM7, /dev/ttyUSB0), in
    // ascending order of their numbers; duplicates kept.
    std::list<std::string> m_portNumbers;
    int m_nLapIndex = 0;
    std::int64_t m_nLapBoundaryMs = 0;

    // MODEL SAVE is offered only when the program was started with -VARDO.
    void EnableModelSave() { m_bShowModelSave = 1; }
    bool ShowsModelSave() const { return m_bShowModelSave == 1; }
    // Raised by OnCancel (Esc, the close box, Ctrl-C); the running transfer
    // stops at its next look.
    bool CancelRequested() const { return m_bCancelRequested != 0; }
    // The cancel request or the Cancel button's; the transfer stops at once.
    bool StopRequested() const { return m_bCancelRequested != 0 || m_bStopRequested; }
    // After a failed or stopped transfer: the file that holds only part of
    // its data and how much of it; empty when no file is incomplete.
    std::string PartialFileNote() const;

private:
    // Thrown from a wait once a stop is requested; the transfer that owns the
    // wait ends along its cancel path.
    struct TransferStopped {};
    // Waits end with TransferStopped only while this lives: the closing of a
    // download always runs to its end.
    class StoppableWaits {
    public:
        explicit StoppableWaits(CDatadockDlg& dlg) : m_dlg(dlg) { m_dlg.m_bWaitsStoppable = true; }
        ~StoppableWaits() { m_dlg.m_bWaitsStoppable = false; }
        StoppableWaits(const StoppableWaits&) = delete;
        StoppableWaits& operator=(const StoppableWaits&) = delete;

    private:
        CDatadockDlg& m_dlg;
    };
    struct PartialFile {
        std::string path;  // empty when no file is left incomplete
        int records = 0;
    };

    class SilentLoggerNotice;
    static constexpr int kSilentLoggerNoticeMs = 3000;

    void KeepWindowAlive();
    void AddPartialFileNote();
    bool StopConfirmed();
    void ShowTransferLayout(const char* title, const std::string& info, bool withProgress);
    void ShowIdleButtons();
    TransferOutcome RunTransferFrame(const std::function<int()>& selectFiles,
                                     const std::function<TransferOutcome()>& transfer);
    // Runs the dialog as m_pFileDialog; 1 when a file was chosen.
    int SelectFile(std::unique_ptr<CFileDialog> dialog);
    // The port the controls name now: the label for one port, the combo box's
    // selection for two or more; empty when there is none.
    std::string ChosenPortName() const;
    std::string NotConnectedDetail() const;
    void ReportNotConnected();
    void ShowDownloadResult(TransferOutcome outcome);
    void CloseDownloadConversation(std::string& reply);
    void DropOwedReplies(proto::OwedReplies& owed);
    int DownloadLapSet(const std::string& path, LogDownloadState& state, std::string& reply);
    bool WriteLapRecord(TextFileWriter& file, int record, std::string payload,
                        LogDownloadState& state);
    int DownloadSampleSet(const std::string& path, LogDownloadState& state, std::string& reply);
    bool PumpWithProgress(int percent, bool proportional);
    bool SampleSetLines(int record, const std::string& payload, LogDownloadState& state,
                        std::vector<std::string>& lines);
    int EndOfSet(TextFileWriter& file, const std::string& reply, int received);
    int FileFailure(const TextFileWriter& file);
    bool StartUpdate(std::string& reply);
    int SendUpdateLines(const std::vector<std::string>& lines, std::string& reply);
    void PutProgressAway();

    int m_bShowModelSave = 0;
    int m_bCancelRequested = 0;
    bool m_bStopRequested = false;
    bool m_bWaitsStoppable = false;
    // From the logger's acceptance of SUPM on, a stop leaves it without firmware.
    bool m_bUpdateCommitted = false;
    PartialFile m_partialFile;
    bool m_bTransferRunning = false;
    DialogPlatform& m_platform;
    PortScanner m_scanPorts;
    SerialFactory m_makeSerial;
    Clock& m_clock;
    // Why the last transfer failed beyond its message (e.g. the port's error),
    // shown as the message box's detail; empty when there is nothing to add.
    std::string m_failureDetail;
};
