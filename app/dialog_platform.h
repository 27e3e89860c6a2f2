#pragma once

#include <optional>
#include <string>
#include <vector>

enum class MessageIcon { Exclamation, Information, Error };

// What a file dialog is asked for. filter is in the "Name(*.ext)|*.ext||" form.
struct FileDialogRequest {
    bool openForReading = false;   // false: a save dialog that confirms overwriting
    std::string defaultExtension;  // appended when the name has none
    std::string initialName;
    std::string filter;
};

// Everything the main window's logic needs of the window system. The Qt
// window, the command line and the tests' fake implement it. All texts are
// code page 932 bytes; an implementation converts them for display.
class DialogPlatform {
public:
    virtual ~DialogPlatform() = default;

    // Controls, by their ids (app/control_ids.h).
    virtual void ShowControl(int id, bool visible) = 0;
    virtual void SetControlText(int id, const std::string& text) = 0;
    virtual std::string ControlText(int id) = 0;

    // The port combo box; it keeps its entries sorted as text
    // (see sortedInsertPosition).
    virtual int ComboCount() = 0;
    virtual std::string ComboSelectedText() = 0;  // empty when nothing is selected
    virtual void ComboReset() = 0;
    virtual void ComboAddString(const std::string& text) = 0;
    virtual void ComboSelectIndex(int index) = 0;  // -1: no selection
    virtual std::vector<std::string> ComboItems() = 0;
    virtual void ComboEnable(bool enabled) = 0;
    // Whether the user has the combo box's list dropped down.
    virtual bool ComboListOpen() = 0;

    virtual void ProgressSetRange(int low, int high) = 0;
    virtual void ProgressSetPos(int position) = 0;

    // Paints the window now.
    virtual void UpdateWindow() = 0;
    // Dispatches every pending event and returns at once; never waits.
    virtual void PumpMessages() = 0;
    // A periodic timer that calls CDatadockDlg::OnTimer(id) on this thread.
    virtual void StartTimer(int id, int intervalMs) = 0;
    virtual void KillTimer(int id) = 0;

    // A modal box with an OK button. detail: why, shown beside the message;
    // empty when there is nothing to add. viewable: the log files just saved,
    // which a front with a log viewer offers to show ("View" beside OK, which
    // stays the default).
    virtual void MessageBox(const std::string& text, MessageIcon icon,
                            const std::string& detail = {},
                            const std::vector<std::string>& viewable = {}) = 0;
    // A modal question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // A modal file dialog; the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> RunFileDialog(const FileDialogRequest& request) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Ends the modal loop with result as soon as control returns to it; the
    // handler that is running finishes first.
    virtual void EndDialog(int result) = 0;
};

// Where a combo box that sorts its entries as text puts a new one: after the
// entries that compare less or equal, byte by byte.
std::size_t sortedInsertPosition(const std::vector<std::string>& items, const std::string& text);
