#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_platform.h"
#include "app/handler_runner.h"
#include "app/test_answers.h"

class CDatadockDlg;
class PortComboBox;
class QTimer;

// The main window (dialog template 102). It shows what CDatadockDlg tells it
// and forwards clicks, keys, timers and closing to it; all behaviour lives
// there. Texts arrive as code page 932 bytes and are converted for display;
// ControlText gives back exactly the bytes that were set.
class QtMainWindow : public QDialog, public DialogPlatform, public TestAnswers {
    Q_OBJECT

public:
    explicit QtMainWindow(QWidget* parent = nullptr);
    ~QtMainWindow() override;

    // The logic must outlive the window's use of it: call detachLogic before
    // the logic is destroyed.
    void attachLogic(CDatadockDlg& logic);
    void initDialog();
    // initDialog, then the modal loop; the dialog's result.
    int runModal();
    // Ends the window's use of the logic, telling it OnDestroy if the dialog
    // has not ended yet.
    void detachLogic();

    // "View a log…" of the background's menu: asks for a log file and
    // opens the viewer on it.
    void viewLog();
    QWidget* control(int id) const;
    bool timerRunning(int id) const;

    // DialogPlatform.
    void ShowControl(int id, bool visible) override;
    void SetControlText(int id, const std::string& text) override;
    std::string ControlText(int id) override;
    int ComboCount() override;
    std::string ComboSelectedText() override;
    void ComboReset() override;
    void ComboAddString(const std::string& text) override;
    void ComboSelectIndex(int index) override;
    std::vector<std::string> ComboItems() override;
    void ComboEnable(bool enabled) override;
    bool ComboListOpen() override;
    void ProgressSetRange(int low, int high) override;
    void ProgressSetPos(int position) override;
    void UpdateWindow() override;
    void PumpMessages() override;
    void StartTimer(int id, int intervalMs) override;
    void KillTimer(int id) override;
    void MessageBox(const std::string& text, MessageIcon icon, const std::string& detail = {},
                    const std::vector<std::string>& viewable = {}) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void EndDialog(int result) override;

    // QDialog: Esc and the close box reach OnCancel; Enter away from a button
    // ends the dialog with IDOK, except while a handler runs. A dialog ended
    // while a handler runs closes when the handler returns.
    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The log viewer's ways in: the background's context menu and CSV files
    // dropped on the window, both only while no transfer runs.
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void fitFontToTexts();
    void connectButtons();
    void runHandler(const std::function<void()>& handler);
    using ClickHandler = void (*)(CDatadockDlg&);
    void runClickHandler(int id, ClickHandler handler);
    void takeRequestsBeforeModal();
    void endNow(int result);
    void notifyDestroyed();
    void restoreCursorFully();
    void rememberDirectoryOf(const QString& path);
    PortComboBox& combo() const;
    template <typename Widget>
    Widget* controlAs(int id) const;

    CDatadockDlg* m_logic = nullptr;
    std::map<int, QWidget*> m_controls;
    std::map<int, std::string> m_controlTexts;
    std::map<int, QTimer*> m_timers;
    HandlerRunner m_handlers;
    bool m_destroyed = false;
    int m_waitCursorDepth = 0;
    QString m_lastDirectory;
};
