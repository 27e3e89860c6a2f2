#include "viewer/viewer_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>

#include "text/qt_text.h"
#include "viewer/compare_panel.h"
#include "viewer/compared_laps.h"
#include "viewer/file_pairing.h"
#include "viewer/lap_table.h"
#include "viewer/log_file_reader.h"
#include "viewer/plot_export.h"
#include "viewer/plot_painter.h"
#include "viewer/plot_widget.h"
#include "viewer/viewer_texts.h"

// The icon lives in a static library, whose resources are registered only
// when asked for; the macro must be used outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(datadock_viewer);
}

namespace {

constexpr int kMostRecentFiles = 8;
const char kRecentKey[] = "recentFiles";
const char kFolderKey[] = "lastFolder";
const char kGeometryKey[] = "geometry";
const char kSplitterKey[] = "splitter";

// Apart from the manager's: the viewer is a program of its own.
const QString kOrganisation = QStringLiteral("DataDock");
const QString kApplication = QStringLiteral("datadock-viewer");

std::string fileSystemPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
QString shownPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files << url.toLocalFile();
        }
    }
    return files;
}

// A file dialog's title naming the file it is about.
QString aboutFile(const char* title, const QString& about) {
    return qtText(title, {{"file", QFileInfo(about).fileName().toStdString()}});
}

}  // namespace

ViewerWindow::ViewerWindow(QWidget* parent)
    : QMainWindow(parent),
      m_plot(new PlotWidget),
      m_lapTable(new LapTable),
      m_comparePanel(new ComparePanel),
      m_openedLabel(new QLabel) {
    registerIconResources();
    setWindowTitle(qtText(viewer_text::kProgramName));
    setWindowIcon(QIcon(QStringLiteral(":/datadock/datadock-viewer-48.png")));
    setAcceptDrops(true);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_plot);
    auto* sidebar = new QTabWidget;
    sidebar->addTab(m_lapTable, qtText(viewer_text::kLapsTab));
    sidebar->addTab(m_comparePanel, qtText(viewer_text::kCompareTab));
    splitter->addWidget(sidebar);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    setCentralWidget(splitter);
    buildMenus();
    connect(m_lapTable, &LapTable::lapsSelected, this, &ViewerWindow::lapsSelected);
    connect(m_comparePanel, &ComparePanel::lapsChosen, this, &ViewerWindow::compareChosen);
    connect(m_comparePanel, &ComparePanel::lineUpChanged, this,
            [this] { compareChosen(m_sessions.chosen); });
    connect(m_comparePanel, &ComparePanel::referenceChosen, this, [this](SessionLap lap) {
        m_sessions.reference = lap;
        refreshComparison();
        compareChosen(m_sessions.chosen);
    });
    const QSettings stored(kOrganisation, kApplication);
    if (!restoreGeometry(stored.value(kGeometryKey).toByteArray())) {
        // Within a small laptop's screen (1366 x 768) with room for its panels.
        const QRect room = screen()->availableGeometry();
        resize(std::min(1200, room.width() * 9 / 10), std::min(760, room.height() * 9 / 10));
    }
    if (!splitter->restoreState(stored.value(kSplitterKey).toByteArray())) {
        splitter->setSizes({width() - 440, 440});  // room for the lap table's columns
    }
    // It shows the files' names and texts: never taken as markup.
    m_openedLabel->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(m_openedLabel, 1);
    m_openedLabel->setText(qtText(viewer_text::kOpenHint));
}

ViewerWindow::~ViewerWindow() = default;

void ViewerWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(qtText(viewer_text::kFileMenu));
    file->addAction(qtText(viewer_text::kOpen), QKeySequence::Open, this,
                    &ViewerWindow::openByDialog);
    file->addAction(qtText(viewer_text::kAddToCompare),
                    QKeySequence(QStringLiteral("Ctrl+Shift+O")), this, [this] {
                        const QStringList chosen = ask(FileQuestion::OpenFiles, {});
                        if (!chosen.isEmpty()) {
                            addToCompare(chosen);
                        }
                    });
    m_recentMenu = file->addMenu(qtText(viewer_text::kOpenRecent));
    refillRecentMenu();
    file->addAction(
        qtText(viewer_text::kExportImage), QKeySequence(QStringLiteral("Ctrl+E")), this, [this] {
            const QStringList chosen = ask(FileQuestion::ExportImage, m_openedFiles.value(0));
            if (!chosen.isEmpty()) {
                exportImage(chosen.front());
            }
        });
    file->addAction(qtText(viewer_text::kExportLapTable), this, [this] {
        const QStringList chosen = ask(FileQuestion::ExportLapTable, {});
        if (!chosen.isEmpty()) {
            exportLapTable(chosen.front());
        }
    });
    file->addSeparator();
    file->addAction(qtText(viewer_text::kClose), QKeySequence::Close, this, &QWidget::close);
    file->addAction(qtText("&Quit"), QKeySequence::Quit, qApp, &QApplication::closeAllWindows);

    QMenu* view = menuBar()->addMenu(qtText(viewer_text::kViewMenu));
    for (std::size_t c = 0; c < kChannelCount; ++c) {
        const auto channel = static_cast<Channel>(c);
        QAction* shown = view->addAction(QString::fromUtf8(channelName(channel)));
        shown->setCheckable(true);
        shown->setChecked(true);
        connect(shown, &QAction::toggled, this,
                [this, channel](bool on) { m_plot->setChannelShown(channel, on); });
    }
    view->addSeparator();
    QAction* fit = view->addAction(qtText(viewer_text::kFitScales));
    fit->setCheckable(true);
    connect(fit, &QAction::toggled, m_plot, &PlotWidget::setAutoscale);
    view->addAction(qtText(viewer_text::kWholeLog), QKeySequence(Qt::Key_Home), m_plot,
                    &PlotWidget::showWholeLog);
    view->addAction(qtText(viewer_text::kZoomIn), QKeySequence::ZoomIn, this,
                    [this] { m_plot->zoomBy(0.8); });
    view->addAction(qtText(viewer_text::kZoomOut), QKeySequence::ZoomOut, this,
                    [this] { m_plot->zoomBy(1.25); });
}

std::optional<FilePair> ViewerWindow::askForPair(const QStringList& paths) {
    std::vector<std::string> given;
    for (const QString& path : paths) {
        given.push_back(fileSystemPath(path));
    }
    std::string error;
    const std::optional<FilePair> pair = completePair(
        given,
        [this](MissingFile missing, const std::string& partner) -> std::optional<std::string> {
            const QStringList chosen =
                ask(missing == MissingFile::Log ? FileQuestion::LogFile : FileQuestion::LapFile,
                    shownPath(partner));
            return chosen.isEmpty() ? std::nullopt : std::optional(fileSystemPath(chosen.front()));
        },
        error);
    if (!error.empty()) {
        showError(QString::fromStdString(error));
    }
    return pair;
}

bool ViewerWindow::openFiles(const QStringList& paths) {
    const std::optional<FilePair> asked = askForPair(paths);
    if (!asked) {
        return false;
    }
    const FilePair& pair = *asked;
    ReadResult<LogSession> loaded = loadSession(pair);
    if (const auto* error = std::get_if<ReadError>(&loaded)) {
        showError(QString::fromStdString(error->message()));
        return false;
    }
    m_sessions.show(std::make_shared<const LogSession>(std::move(std::get<LogSession>(loaded))));
    m_plot->setSession(m_sessions.shown());
    m_lapTable->setSession(*m_sessions.shown());
    refreshComparison();
    m_openedFiles = {shownPath(pair.log)};
    if (pair.lap) {
        m_openedFiles << shownPath(*pair.lap);
    }
    setWindowTitle(qtText(viewer_text::kWindowTitle, {{"log", session()->log.title}}));
    remember(m_openedFiles);
    showStatus();
    return true;
}

bool ViewerWindow::addToCompare(const QStringList& paths) {
    if (!session()) {
        return openFiles(paths);
    }
    const std::optional<FilePair> pair = askForPair(paths);
    if (!pair) {
        return false;
    }
    if (const std::string problem = m_sessions.add(*pair); !problem.empty()) {
        showError(QString::fromStdString(problem));
        return false;
    }
    refreshComparison();
    if (auto* sidebar = centralWidget()->findChild<QTabWidget*>()) {
        sidebar->setCurrentWidget(m_comparePanel);
    }
    statusBar()->showMessage(
        qtText(viewer_text::kSessionAdded,
               {{"number", std::to_string(m_sessions.count())},
                {"file", QFileInfo(shownPath(pair->log)).fileName().toStdString()}}));
    return true;
}

void ViewerWindow::refreshComparison() {
    const LapComparison comparison = m_sessions.laps();
    m_comparePanel->setLaps(comparison, m_sessions.pointers());
    m_lapTable->setReference(behindReference(comparison));
}

void ViewerWindow::compareChosen(const std::vector<SessionLap>& laps) {
    m_sessions.chosen = laps;
    if (laps.empty()) {
        return;
    }
    if (laps.size() > kMostOverlaidLaps) {
        statusBar()->showMessage(
            qtText(viewer_text::kTooManyToCompare, {{"count", std::to_string(kMostOverlaidLaps)}}),
            5000);
        return;
    }
    m_plot->compareLaps(m_sessions.all(), laps, m_sessions.reference, m_comparePanel->lineUp());
    showComparisonNotes();
}

// Laps lined up by time, or without samples, are said in the status bar.
void ViewerWindow::showComparisonNotes() {
    QStringList notes;
    for (const std::string& note :
         m_plot->comparison() ? m_plot->comparison()->notes : std::vector<std::string>()) {
        notes << QString::fromStdString(note);
    }
    statusBar()->showMessage(notes.join(QStringLiteral("   ")));
}

void ViewerWindow::showStatus() {
    QStringList parts;
    for (const QString& file : m_openedFiles) {
        parts << QFileInfo(file).fileName();
    }
    for (const std::string& warning : session()->warnings) {
        parts << QString::fromStdString(warning);
    }
    m_openedLabel->setText(parts.join(QStringLiteral("   ")));
}

void ViewerWindow::openByDialog() {
    const QStringList chosen = ask(FileQuestion::OpenFiles, {});
    if (!chosen.isEmpty()) {
        openFiles(chosen);
    }
}

bool ViewerWindow::exportImage(const QString& path) {
    if (!session()) {
        showError(qtText(viewer_text::kNothingToExport));
        return false;
    }
    const QSize shown = m_plot->size().expandedTo(QSize(800, 500));
    const ImageSize size{shown.width(), shown.height()};
    const std::string file = fileSystemPath(path);
    const std::string problem =
        m_plot->comparison() ? exportComparison(*m_plot->comparison(), m_plot->view(), size, file)
                             : exportPlot(*session(), m_plot->view(), size, file);
    if (!problem.empty()) {
        showError(QString::fromStdString(problem));
        return false;
    }
    statusBar()->showMessage(qtText(viewer_text::kSaved, {{"file", path.toStdString()}}), 5000);
    return true;
}

bool ViewerWindow::exportLapTable(const QString& path) {
    if (!session() || session()->figures.empty()) {
        showError(qtText(viewer_text::kNoLapTable));
        return false;
    }
    const std::string problem =
        exportLapFigures(session()->figures, fileSystemPath(path), m_lapTable->reference());
    if (!problem.empty()) {
        showError(QString::fromStdString(problem));
        return false;
    }
    statusBar()->showMessage(qtText(viewer_text::kSaved, {{"file", path.toStdString()}}), 5000);
    return true;
}

void ViewerWindow::lapsSelected(const QList<int>& laps) {
    if (laps.size() == 1) {
        m_plot->showLap(laps.front());
    } else if (laps.size() > static_cast<int>(kMostOverlaidLaps)) {
        statusBar()->showMessage(
            qtText(viewer_text::kTooManySelected, {{"count", std::to_string(kMostOverlaidLaps)}}),
            5000);
    } else if (laps.size() >= 2) {
        m_plot->compareLaps(laps);
        showComparisonNotes();
    }
}

QStringList ViewerWindow::ask(FileQuestion question, const QString& about) {
    if (m_asker) {
        return m_asker(question, about);
    }
    QSettings stored(kOrganisation, kApplication);
    const QString folder =
        about.isEmpty() ? stored.value(kFolderKey).toString() : QFileInfo(about).absolutePath();
    const QString csv = qtText("CSV files (*.csv);;All files (*)");
    QStringList chosen;
    switch (question) {
        case FileQuestion::OpenFiles:
            chosen =
                QFileDialog::getOpenFileNames(this, qtText(viewer_text::kOpenTitle), folder, csv);
            break;
        case FileQuestion::LapFile:
            chosen << QFileDialog::getOpenFileName(
                this, aboutFile(viewer_text::kLapFileTitle, about), folder, csv);
            break;
        case FileQuestion::LogFile:
            chosen << QFileDialog::getOpenFileName(
                this, aboutFile(viewer_text::kLogFileTitle, about), folder, csv);
            break;
        case FileQuestion::ExportImage:
            chosen << askImageName(folder, about);
            break;
        case FileQuestion::ExportLapTable:
            chosen << QFileDialog::getSaveFileName(this, qtText(viewer_text::kExportLapTableTitle),
                                                   folder, qtText(viewer_text::kCsvFile));
            break;
    }
    chosen.removeAll(QString());
    if (!chosen.isEmpty()) {
        stored.setValue(kFolderKey, QFileInfo(chosen.front()).absolutePath());
    }
    return chosen;
}

// Proposes the log's name beside it; a name given without an extension gets
// the one of the kind chosen, instead of being refused.
QString ViewerWindow::askImageName(const QString& folder, const QString& log) {
    const QString png = qtText(viewer_text::kPngImage), svg = qtText(viewer_text::kSvgImage);
    const QString base = log.isEmpty() ? QStringLiteral("plot") : QFileInfo(log).completeBaseName();
    QString kind = png;
    const QString name =
        QFileDialog::getSaveFileName(this, qtText(viewer_text::kExportPlotTitle),
                                     QDir(folder).filePath(base + QStringLiteral(".png")),
                                     png + QStringLiteral(";;") + svg, &kind);
    if (name.isEmpty() || !QFileInfo(name).suffix().isEmpty()) {
        return name;
    }
    return name + (kind == svg ? QStringLiteral(".svg") : QStringLiteral(".png"));
}

void ViewerWindow::showError(const QString& message) {
    if (m_errorShower) {
        m_errorShower(message);
        return;
    }
    // The message quotes the files' text: shown as it is, never as markup.
    QMessageBox box(QMessageBox::Warning, qtText(viewer_text::kProgramName), message,
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QStringList ViewerWindow::recentFiles() const {
    return QSettings(kOrganisation, kApplication).value(kRecentKey).toStringList();
}

// Each entry is the files of one opening by their whole paths, joined by a
// line feed, so that it opens again from any folder.
void ViewerWindow::remember(const QStringList& opened) {
    QStringList recent = recentFiles();
    QStringList whole;
    for (const QString& file : opened) {
        whole << QFileInfo(file).absoluteFilePath();
    }
    const QString entry = whole.join(QLatin1Char('\n'));
    recent.removeAll(entry);
    recent.prepend(entry);
    while (recent.size() > kMostRecentFiles) {
        recent.removeLast();
    }
    QSettings stored(kOrganisation, kApplication);
    stored.setValue(kRecentKey, recent);
    stored.setValue(kFolderKey, QFileInfo(opened.front()).absolutePath());
    refillRecentMenu();
}

void ViewerWindow::refillRecentMenu() {
    m_recentMenu->clear();
    for (const QString& entry : recentFiles()) {
        const QStringList files = entry.split(QLatin1Char('\n'));
        QString shown = QDir::toNativeSeparators(files.front());
        QAction* action = m_recentMenu->addAction(shown.replace(QLatin1Char('&'), "&&"));
        connect(action, &QAction::triggered, this, [this, files] { openFiles(files); });
    }
    m_recentMenu->setEnabled(!m_recentMenu->isEmpty());
}

void ViewerWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void ViewerWindow::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (!files.isEmpty()) {
        event->acceptProposedAction();
        openFiles(files);
    }
}

void ViewerWindow::closeEvent(QCloseEvent* event) {
    QSettings stored(kOrganisation, kApplication);
    stored.setValue(kGeometryKey, saveGeometry());
    if (auto* splitter = qobject_cast<QSplitter*>(centralWidget())) {
        stored.setValue(kSplitterKey, splitter->saveState());
    }
    QMainWindow::closeEvent(event);
}
