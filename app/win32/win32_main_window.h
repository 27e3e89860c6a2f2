#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_platform.h"
#include "app/handler_runner.h"
#include "app/test_answers.h"

class CDatadockDlg;

// The main window on Windows: dialog template 102, made by the system's
// dialog manager from the template's one table (app/main_dialog_template.h). It
// shows what CDatadockDlg tells it and forwards clicks, keys, timers and
// closing to it; all behaviour lives there. Texts arrive as code page 932
// bytes and reach the controls as UTF-16; ControlText gives back exactly the
// bytes that were set. The log viewer, a program of its own, is started from
// the background's menu, for CSV files dropped on the window and from the box
// that says a LOG SAVE has completed.
class Win32MainWindow final : public DialogPlatform, public TestAnswers {
public:
    // resources: the module whose resources hold the icon.
    explicit Win32MainWindow(HINSTANCE resources);
    ~Win32MainWindow() override;
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    // The logic must outlive the window's use of it.
    void attachLogic(CDatadockDlg& logic) { m_logic = &logic; }
    // The modal loop; the dialog's result (IDOK, IDCANCEL, -1 when the window
    // could not be made).
    int runModal();
    // For tests: the window without a modal loop of its own, shown and
    // initialised; nullptr when it could not be made.
    HWND createModeless();
    HWND window() const { return m_hwnd; }
    // Where the template's font is missing the system puts a wider one in its
    // place: this makes the controls' font smaller, a pixel at a time down to
    // kSmallestTextPointSize, until every text the window shows
    // (mainDialogTextsToFit()) fits its control. Done as the window is made;
    // a font that fits is left as it is.
    void fitFontToTexts();

    std::optional<int> result() const { return m_result; }

    // DialogPlatform.
    void ShowControl(int id, bool visible) override;
    void SetControlText(int id, const std::string& text) override;
    std::string ControlText(int id) override;
    int ComboCount() override;
    std::string ComboSelectedText() override;
    void ComboReset() override;
    void ComboAddString(const std::string& text) override;
    void ComboSelectIndex(int index) override;
    std::vector<std::string> ComboItems() override { return m_comboItems; }
    bool ComboListOpen() override;
    void ComboEnable(bool enabled) override;
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

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void initDialog();
    void onCommand(int id);
    void showContextMenu(HWND under, LPARAM at);
    void viewLog();
    void onDrop(HDROP drop);
    void openLogViewer(const std::vector<std::string>& files);
    bool paintIconWhenMinimised();
    void runHandler(const std::function<void()>& handler);
    void endNow(int result);
    void notifyDestroyed();
    HWND control(int id) const { return GetDlgItem(m_hwnd, id); }
    void releaseFittedFont();
    LPCDLGTEMPLATEW dialogTemplate() const {
        return reinterpret_cast<LPCDLGTEMPLATEW>(m_template.data());
    }
    LRESULT sendTo(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    HINSTANCE m_resources;
    std::vector<WORD> m_template;  // the dialog template in the system's form
    HICON m_icon = nullptr;
    // The controls' font once made smaller than the dialog's; the window's to
    // delete once its controls are gone.
    HFONT m_fittedFont = nullptr;
    HWND m_hwnd = nullptr;
    bool m_modal = false;
    CDatadockDlg* m_logic = nullptr;
    std::map<int, std::string> m_controlTexts;
    std::vector<std::string> m_comboItems;  // the entries' bytes, in the box's order
    HandlerRunner m_handlers;
    std::optional<int> m_result;
    bool m_destroyed = false;
    int m_waitCursorDepth = 0;
};
