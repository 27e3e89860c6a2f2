#include "app/qt/qt_main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <exception>
#include <utility>

#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/main_dialog_template.h"
#include "app/qt/control_builder.h"
#include "app/qt/control_text.h"
#include "app/qt/dialog_units.h"
#include "app/qt/file_dialog_setup.h"
#include "app/qt/log_viewer_entry.h"
#include "app/qt/main_dialog_font.h"
#include "app/qt/message_box_setup.h"
#include "app/qt/port_combo_box.h"
#include "app/qt/text_fit.h"
#include "app/texts.h"
#include "text/qt_text.h"

// The icon lives in a static library, whose resources are registered only
// when asked for; the macro must be used outside any namespace.
static void registerIconResources() {
    Q_INIT_RESOURCE(datadock);
}

namespace {

constexpr char kIconPath[] = ":/datadock/datadock-48.png";

// A modal box shows the normal pointer even while the window waits.
class ArrowCursorWhile {
public:
    explicit ArrowCursorWhile(bool waiting) : m_active(waiting) {
        if (m_active) {
            QApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~ArrowCursorWhile() {
        if (m_active) {
            QApplication::restoreOverrideCursor();
        }
    }
    ArrowCursorWhile(const ArrowCursorWhile&) = delete;
    ArrowCursorWhile& operator=(const ArrowCursorWhile&) = delete;

private:
    bool m_active;
};

bool isPlainEnter(const QKeyEvent& event) {
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return enter && (modifiers == Qt::NoModifier || modifiers == Qt::KeypadModifier);
}

}  // namespace

QtMainWindow::QtMainWindow(QWidget* parent)
    : QDialog(parent),
      m_handlers([this](int result) { endNow(result); },
                 [this](const char* what) {
                     MessageBox(translated(kUnexpectedErrorText), MessageIcon::Error, what);
                 }) {
    registerIconResources();
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(displayText(mainDialogCaption()));
    setWindowIcon(QIcon(QString::fromLatin1(kIconPath)));
    setFont(mainDialogFont());
    setFixedSize(DialogUnits(font()).toPixels(kMainDialogWidth, kMainDialogHeight));
    buildControls();
    fitFontToTexts();
    connectButtons();
    setAcceptDrops(true);
}

QtMainWindow::~QtMainWindow() {
    restoreCursorFully();
}

void QtMainWindow::buildControls() {
    const ControlBuilder builder(*this, DialogUnits(font()));
    for (const ControlTemplate& control : mainDialogControls()) {
        QWidget* widget = builder.build(control);
        m_controls[control.id] = widget;
        m_controlTexts[control.id] = initialText(control);
        if (control.kind == ControlKind::GroupBox) {
            widget->lower();  // frames stay behind the controls they surround
        }
    }
}

// The template's font sets the window's layout; a fallback font is wider than
// the one the template was drawn for, so its text may need to be smaller.
void QtMainWindow::fitFontToTexts() {
    std::vector<ShownText> texts;
    for (const TextToFit& shown : mainDialogTextsToFit()) {
        texts.push_back({control(shown.id), displayText(shown.text)});
    }
    shrinkFontToFit(*this, texts, kSmallestTextPointSize);
}

// Plain functions rather than member pointers: GCC's vptr sanitizer miscompiles
// calls through a pointer to member (it checks an object it never loaded).
void QtMainWindow::connectButtons() {
    const std::pair<int, ClickHandler> clicks[] = {
        {ctl::kBtnLogSave, [](CDatadockDlg& logic) { logic.OnLogSave(); }},
        {ctl::kBtnModelSave, [](CDatadockDlg& logic) { logic.OnModelSave(); }},
        {ctl::kBtnUpdate, [](CDatadockDlg& logic) { logic.OnSoftwareUpdate(); }},
    };
    for (const auto& [id, handler] : clicks) {
        connect(controlAs<QPushButton>(id), &QPushButton::clicked, this,
                [this, id = id, handler = handler] { runClickHandler(id, handler); });
    }
    // Cancel is clicked inside the running transfer's handler: it only raises
    // the stop request, which the transfer takes at its next wait.
    connect(controlAs<QPushButton>(ctl::kBtnCancel), &QPushButton::clicked, this, [this] {
        if (m_logic && control(ctl::kBtnCancel)->isVisibleTo(this)) {
            m_logic->OnStopTransfer();
        }
    });
}

void QtMainWindow::attachLogic(CDatadockDlg& logic) {
    m_logic = &logic;
}

void QtMainWindow::initDialog() {
    runHandler([this] {
        if (m_logic) {
            m_logic->OnInitDialog();
        }
    });
}

int QtMainWindow::runModal() {
    initDialog();
    if (m_destroyed) {
        return result();  // ended while it initialised
    }
    return exec();
}

void QtMainWindow::detachLogic() {
    notifyDestroyed();
    m_logic = nullptr;
}

QWidget* QtMainWindow::control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

template <typename Widget>
Widget* QtMainWindow::controlAs(int id) const {
    return qobject_cast<Widget*>(control(id));
}

bool QtMainWindow::timerRunning(int id) const {
    const auto found = m_timers.find(id);
    return found != m_timers.end() && found->second->isActive();
}

// ---- Handlers -------------------------------------------------------------

// Every call into the logic goes through here, so that EndDialog waits for
// the outermost handler and nothing escapes into the event loop.
void QtMainWindow::runHandler(const std::function<void()>& handler) {
    if (!m_destroyed) {
        m_handlers.run(handler);
    }
}

// A transfer that fails unexpectedly has already ended its frame (window
// restored, port closed); runHandler reports it. A click counts only on a
// button the user sees: a key still aimed at a button that a transfer has
// hidden does nothing. The logic itself refuses a second transfer while one
// runs.
void QtMainWindow::runClickHandler(int id, ClickHandler handler) {
    if (!control(id)->isVisibleTo(this)) {
        return;
    }
    runHandler([this, handler] {
        if (m_logic) {
            handler(*m_logic);
        }
    });
}

// Enter while a transfer runs is a stray key, not a wish to leave: only the
// close box and Esc end the window then (and the transfer sees the cancel).
void QtMainWindow::accept() {
    if (m_handlers.busy()) {
        return;
    }
    runHandler([this] { EndDialog(IDOK); });
}

void QtMainWindow::reject() {
    if (m_destroyed) {
        QDialog::done(IDCANCEL);  // the logic is gone; the window still closes
        return;
    }
    runHandler([this] {
        if (m_logic) {
            m_logic->OnCancel();
        } else {
            EndDialog(IDCANCEL);
        }
    });
}

void QtMainWindow::done(int result) {
    m_handlers.end(result);
}

void QtMainWindow::endNow(int result) {
    QDialog::done(result);
    notifyDestroyed();
}

void QtMainWindow::notifyDestroyed() {
    if (m_destroyed) {
        return;
    }
    m_destroyed = true;
    if (m_logic) {
        m_logic->OnDestroy();
    }
    for (const auto& [id, timer] : m_timers) {
        timer->stop();
    }
    restoreCursorFully();
}

void QtMainWindow::keyPressEvent(QKeyEvent* event) {
    // A focused button takes Enter itself (it clicks); Enter that reaches the
    // window came from elsewhere and means OK.
    if (isPlainEnter(*event)) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- The log viewer ------------------------------------------------------

void QtMainWindow::viewLog() {
    const FileDialogRequest request{true, "csv", "", translated(txt::kCsvFilter)};
    if (const std::optional<std::string> path = RunFileDialog(request)) {
        openLogViewer(this, {QFile::decodeName(QByteArray::fromStdString(*path))});
    }
}

// On the background, a label or a frame, not on the buttons and the port list.
void QtMainWindow::contextMenuEvent(QContextMenuEvent* event) {
    QWidget* under = childAt(event->pos());
    const bool background =
        !under || qobject_cast<QLabel*>(under) || qobject_cast<QGroupBox*>(under);
    if (m_handlers.busy() || !background) {
        return;
    }
    QMenu menu(this);
    menu.addAction(qtText(txt::kViewLogMenuEntry), this, &QtMainWindow::viewLog);
    menu.exec(event->globalPos());
}

void QtMainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!m_handlers.busy() && !droppedCsvFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void QtMainWindow::dropEvent(QDropEvent* event) {
    const QStringList files = droppedCsvFiles(event->mimeData());
    if (!m_handlers.busy() && !files.isEmpty()) {
        event->acceptProposedAction();
        openLogViewer(this, files);
    }
}

// ---- Controls -------------------------------------------------------------

// A hidden control must not keep the keyboard focus (Qt leaves it there when
// no other control can take it); the first control shown again takes it back.
void QtMainWindow::ShowControl(int id, bool visible) {
    QWidget* widget = control(id);
    if (widget == nullptr) {
        return;
    }
    widget->setVisible(visible);
    if (!visible && focusWidget() != nullptr && !focusWidget()->isVisibleTo(this)) {
        focusWidget()->clearFocus();
    } else if (visible && focusWidget() == nullptr && (widget->focusPolicy() & Qt::TabFocus)) {
        widget->setFocus();
    }
}

// The port label shows the port's short name and offers the whole path as a
// tool tip; the logic reads back, and opens, the whole path.
void QtMainWindow::SetControlText(int id, const std::string& text) {
    QWidget* widget = control(id);
    if (widget == nullptr) {
        return;
    }
    m_controlTexts[id] = text;
    const QString shown = displayText(text);
    if (id != ctl::kStaticPort) {
        setWidgetText(*widget, shown);
        return;
    }
    const QString shortName = shortPortName(shown);
    setWidgetText(*widget, shortName);
    widget->setToolTip(shortName == shown ? widget->toolTip() : shown);
}

std::string QtMainWindow::ControlText(int id) {
    const auto found = m_controlTexts.find(id);
    return found == m_controlTexts.end() ? std::string() : found->second;
}

PortComboBox& QtMainWindow::combo() const {
    return *controlAs<PortComboBox>(ctl::kComboPort);
}

int QtMainWindow::ComboCount() {
    return combo().count();
}

std::string QtMainWindow::ComboSelectedText() {
    const int index = combo().currentIndex();
    return index < 0 ? std::string() : combo().itemData(index).toByteArray().toStdString();
}

void QtMainWindow::ComboReset() {
    combo().clear();
    combo().fitListToItems();
}

// Keeps the entries sorted as text by their bytes; adding selects nothing.
void QtMainWindow::ComboAddString(const std::string& text) {
    const bool hadSelection = combo().currentIndex() >= 0;
    const auto position = sortedInsertPosition(ComboItems(), text);
    combo().insertItem(static_cast<int>(position), displayText(text),
                       QByteArray::fromStdString(text));
    combo().fitListToItems();
    if (!hadSelection) {
        combo().setCurrentIndex(-1);
    }
}

void QtMainWindow::ComboSelectIndex(int index) {
    combo().setCurrentIndex(index >= 0 && index < combo().count() ? index : -1);
}

std::vector<std::string> QtMainWindow::ComboItems() {
    std::vector<std::string> items;
    for (int i = 0; i < combo().count(); ++i) {
        items.push_back(combo().itemData(i).toByteArray().toStdString());
    }
    return items;
}

void QtMainWindow::ComboEnable(bool enabled) {
    combo().setEnabled(enabled);
}

bool QtMainWindow::ComboListOpen() {
    return combo().view()->isVisible();
}

void QtMainWindow::ProgressSetRange(int low, int high) {
    controlAs<QProgressBar>(ctl::kProgress)->setRange(low, high);
}

// Positions outside the range are held at its ends rather than ignored.
void QtMainWindow::ProgressSetPos(int position) {
    QProgressBar* bar = controlAs<QProgressBar>(ctl::kProgress);
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
}

// ---- Window system --------------------------------------------------------

void QtMainWindow::UpdateWindow() {
    repaint();
}

void QtMainWindow::PumpMessages() {
    QCoreApplication::processEvents();
}

void QtMainWindow::StartTimer(int id, int intervalMs) {
    if (m_destroyed) {
        return;
    }
    QTimer*& timer = m_timers[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] {
            runHandler([this, id] {
                if (m_logic) {
                    m_logic->OnTimer(id);
                }
            });
        });
    }
    timer->start(intervalMs);
}

void QtMainWindow::KillTimer(int id) {
    const auto found = m_timers.find(id);
    if (found != m_timers.end()) {
        found->second->stop();  // kept: the timer may be the one calling
    }
}

void QtMainWindow::MessageBox(const std::string& text, MessageIcon icon, const std::string& detail,
                              const std::vector<std::string>& viewable) {
    if (answeredMessageBox({text, icon, detail, viewable})) {
        return;
    }
    QMessageBox box(this);
    configureMessageBox(box, text, icon, detail);
    QPushButton* view = viewable.empty()
                            ? nullptr
                            : box.addButton(qtText(txt::kViewButton), QMessageBox::ActionRole);
    takeRequestsBeforeModal();
    const ArrowCursorWhile arrow(m_waitCursorDepth > 0);
    box.exec();
    if (view != nullptr && box.clickedButton() == view) {
        QStringList files;
        for (const std::string& path : viewable) {
            files << QFile::decodeName(QByteArray::fromStdString(path));
        }
        openLogViewer(this, files);
    }
}

bool QtMainWindow::AskYesNo(const std::string& text) {
    if (const std::optional<bool> answer = answeredQuestion(text)) {
        return *answer;
    }
    const ArrowCursorWhile arrow(m_waitCursorDepth > 0);
    return QMessageBox::question(this, windowTitle(), displayText(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtMainWindow::RunFileDialog(const FileDialogRequest& request) {
    if (answersFileDialogs()) {
        std::optional<std::string> answer = answeredFileDialog(request);
        if (answer) {
            rememberDirectoryOf(QFile::decodeName(QByteArray::fromStdString(*answer)));
        }
        return answer;
    }
    QFileDialog dialog(this);
    configureFileDialog(dialog, request, m_lastDirectory);
    takeRequestsBeforeModal();
    const ArrowCursorWhile arrow(m_waitCursorDepth > 0);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().constFirst();
    rememberDirectoryOf(path);
    // File names stay in the file system's own bytes, never code page 932.
    return QFile::encodeName(path).toStdString();
}

// A modal dialog blocks the window, and the window system then drops the
// close and the keys the user gave it while a transfer waited without
// pumping (a silent logger). Taken now, a close request is kept: the running
// handler finishes its frame and the window closes after it.
void QtMainWindow::takeRequestsBeforeModal() {
    QCoreApplication::processEvents();
}

// The next file dialog opens where the last one chose, as the user expects
// when saving the lap file and then the log file.
void QtMainWindow::rememberDirectoryOf(const QString& path) {
    m_lastDirectory = QFileInfo(path).absolutePath();
}

void QtMainWindow::BeginWaitCursor() {
    ++m_waitCursorDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtMainWindow::EndWaitCursor() {
    if (m_waitCursorDepth > 0) {
        --m_waitCursorDepth;
        QApplication::restoreOverrideCursor();
    }
}

void QtMainWindow::restoreCursorFully() {
    while (m_waitCursorDepth > 0) {
        EndWaitCursor();
    }
}

void QtMainWindow::EndDialog(int result) {
    done(result);
}
