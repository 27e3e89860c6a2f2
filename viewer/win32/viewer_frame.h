#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "viewer/file_pairing.h"
#include "viewer/lap_comparison.h"
#include "viewer/lap_table_model.h"
#include "viewer/log_session.h"
#include "viewer/open_sessions.h"
#include "viewer/win32/compare_page.h"
#include "viewer/win32/plot_pane.h"
#include "viewer/win32/recent_logs.h"
#include "viewer/win32/report_list.h"

// The log viewer's window on Windows: the plot, the lap table, and the ways
// to open a log (menu, recent files, dropped files, the command line) and to
// export it. The same habits as the viewer on Linux.
class ViewerFrame {
public:
    enum class FileQuestion { OpenFiles, LapFile, LogFile, ExportImage, ExportLapTable };
    // The files chosen (UTF-8), none when cancelled.
    using FileAsker =
        std::function<std::vector<std::string>(FileQuestion, const std::string& about)>;
    using ErrorShower = std::function<void(const std::string&)>;

    // settings: the folder that keeps the logs opened last and the window's
    // place (made when first needed).
    ViewerFrame(HINSTANCE instance, const std::string& settings);
    ~ViewerFrame();
    ViewerFrame(const ViewerFrame&) = delete;
    ViewerFrame& operator=(const ViewerFrame&) = delete;

    HWND window() const { return m_window; }
    // The program ends when the window closes.
    void quitOnClose() { m_quitOnClose = true; }
    // Shows the window where and as large as the user left it.
    void showWhereLeft(int show);
    // Keys of the menus (Ctrl+O, ...), for the message loop.
    HACCEL accelerators() const { return m_accelerators; }

    // A log file, its lap file or both, in any order. False when nothing
    // could be shown (the user has been told why).
    bool openFiles(const std::vector<std::string>& paths);
    // Another log and its lap file, as a session whose laps the Compare tab
    // lists beside the shown log's. False when it could not be added.
    bool addToCompare(const std::vector<std::string>& paths);
    bool exportImage(const std::string& path);
    bool exportLapTable(const std::string& path);

    // For tests: answer the questions without dialogs.
    void answerFileQuestionsWith(FileAsker asker) { m_asker = std::move(asker); }
    void showErrorsWith(ErrorShower shower) { m_errorShower = std::move(shower); }

    const LogSession* session() const { return m_sessions.shown().get(); }
    PlotPane& plot() { return *m_plot; }
    ReportList& lapList() { return *m_lapList; }
    ComparePage& comparePage() { return *m_comparePage; }
    std::wstring statusText() const;
    const RecentLogs& recent() const { return m_recent; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void create(HINSTANCE instance);
    void buildMenus();
    void refillRecentMenu();
    void layOut();
    void command(int id);
    void exportAsked(FileQuestion question, bool (ViewerFrame::*write)(const std::string& path));
    void lapsSelected();
    std::optional<FilePair> askForPair(const std::vector<std::string>& paths);
    void refreshComparison();
    void compareChosen();
    void showComparisonNotes();
    void showTab(int tab);
    void listChanged(const NMHDR& header);
    void dropped(HDROP drop);
    std::vector<std::string> ask(FileQuestion question, const std::string& about);
    void showError(const std::string& message);
    void showStatus(const std::string& message = {});

    HWND m_window = nullptr;
    HWND m_status = nullptr;
    HMENU m_recentMenu = nullptr;
    HMENU m_viewMenu = nullptr;
    HACCEL m_accelerators = nullptr;
    HFONT m_font = nullptr;
    bool m_quitOnClose = false;
    std::unique_ptr<PlotPane> m_plot;
    HWND m_tabs = nullptr;  // Laps and Compare
    std::unique_ptr<ReportList> m_lapList;
    std::unique_ptr<ComparePage> m_comparePage;
    OpenSessions m_sessions;
    std::optional<BehindReference> m_behind;  // what the lap table counts against
    std::vector<std::string> m_openedFiles;
    RecentLogs m_recent;
    std::string m_placementStore;
    int m_pendingList = 0;  // the list whose changes wait to be taken, all at once
    FileAsker m_asker;
    ErrorShower m_errorShower;
};
