#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "viewer/file_pairing.h"
#include "viewer/lap_comparison.h"
#include "viewer/log_session.h"
#include "viewer/open_sessions.h"

class ComparePanel;
class LapTable;
class PlotWidget;
class QLabel;
class QMenu;

// The log viewer's window: the plot, the lap table, and the ways to open a
// log (menu, recent files, dropped files, the command line) and to export it.
class ViewerWindow : public QMainWindow {
    Q_OBJECT

public:
    enum class FileQuestion { OpenFiles, LapFile, LogFile, ExportImage, ExportLapTable };
    // The files chosen, none when cancelled.
    using FileAsker = std::function<QStringList(FileQuestion, const QString& about)>;
    using ErrorShower = std::function<void(const QString&)>;

    explicit ViewerWindow(QWidget* parent = nullptr);
    ~ViewerWindow() override;

    // A log file, its lap file or both, in any order. False when nothing
    // could be shown (the user has been told why).
    bool openFiles(const QStringList& paths);
    // Another log and its lap file, as a session whose laps the Compare tab
    // lists beside the shown log's. False when it could not be added.
    bool addToCompare(const QStringList& paths);
    // Asks for the files to open.
    void openByDialog();
    bool exportImage(const QString& path);
    bool exportLapTable(const QString& path);

    // For tests: answer the questions without dialogs.
    void answerFileQuestionsWith(FileAsker asker) { m_asker = std::move(asker); }
    void showErrorsWith(ErrorShower shower) { m_errorShower = std::move(shower); }

    PlotWidget* plot() const { return m_plot; }
    LapTable* lapTable() const { return m_lapTable; }
    ComparePanel* comparePanel() const { return m_comparePanel; }
    const LogSession* session() const { return m_sessions.shown().get(); }
    QStringList recentFiles() const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void lapsSelected(const QList<int>& laps);
    void refreshComparison();
    void compareChosen(const std::vector<SessionLap>& laps);
    void showComparisonNotes();
    std::optional<FilePair> askForPair(const QStringList& paths);
    QStringList ask(FileQuestion question, const QString& about);
    QString askImageName(const QString& folder, const QString& log);
    void showError(const QString& message);
    void remember(const QStringList& opened);
    void refillRecentMenu();
    void showStatus();

    PlotWidget* m_plot;
    LapTable* m_lapTable;
    ComparePanel* m_comparePanel;
    QMenu* m_recentMenu = nullptr;
    QLabel* m_openedLabel;  // the files shown and what does not agree between them
    OpenSessions m_sessions;
    QStringList m_openedFiles;
    FileAsker m_asker;
    ErrorShower m_errorShower;
};
