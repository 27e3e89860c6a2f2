// The window as users met it in the field: keys aimed at hidden buttons, a
// close during a silent wait, port names and texts that must show whole.
#include <gtest/gtest.h>

#include <qpa/qwindowsysteminterface.h>
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>

#include "app/control_ids.h"
#include "app/qt/control_text.h"
#include "app/qt/port_combo_box.h"
#include "app/texts.h"
#include "tests/gui/qt_printers.h"
#include "tests/gui/window_harness.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_serial_device.h"
#include "tests/support/temp_files.h"

namespace {

// The logic's clock, through which a test acts while a transfer sleeps
// between handshake attempts, that is while it does not pump.
class ClockWithPause final : public Clock {
public:
    explicit ClockWithPause(FakeClock& clock) : m_clock(clock) {}
    std::int64_t monotonicMs() override { return m_clock.monotonicMs(); }
    void sleepMs(int milliseconds) override {
        m_clock.sleepMs(milliseconds);
        if (duringNextSleep) {
            std::exchange(duringNextSleep, nullptr)();
        }
    }
    std::function<void()> duringNextSleep;

private:
    FakeClock& m_clock;
};

// The real window and logic on one scripted port that answers nothing unless
// told to; message boxes are real unless a test answers them.
struct ScriptedWindow {
    ScriptedWindow()
        : logic(
              window, [] { return std::vector<std::string>{"/dev/ttyUSB0"}; },
              [this] {
                  auto scripted = std::make_unique<ScriptedSerialDevice>(clock);
                  device = scripted.get();
                  return std::make_unique<SerialPortAPI>(std::move(scripted), clock);
              },
              logicClock) {
        window.answerFileDialogsWith([this](const FileDialogRequest&) {
            ++fileDialogs;
            return TempPath("field_" + std::to_string(fileDialogs) + ".csv");
        });
        window.attachLogic(logic);
        window.initDialog();
        window.show();
    }
    ~ScriptedWindow() { window.detachLogic(); }

    QAbstractButton* button(int id) const {
        return qobject_cast<QAbstractButton*>(window.control(id));
    }

    FakeClock clock;
    ClockWithPause logicClock{clock};
    DatadockWindow window;
    ScriptedSerialDevice* device = nullptr;
    int fileDialogs = 0;
    CDatadockDlg logic;
};

// With one port nothing else takes the focus from the button that started the
// transfer, so Enter and Space went to it, hidden, and ran a second handler
// inside the first.
TEST(WindowFieldTest, HiddenButtonsDoNotReactWhileATransferRuns) {
    ScriptedWindow harness;
    harness.window.answerMessageBoxesWith([](const ShownMessageBox&) {});
    harness.button(ctl::kBtnLogSave)->setFocus();
    bool focusOnHiddenControl = true;
    QTimer::singleShot(0, [&] {  // runs in the handshake's first pump
        QWidget* focused = harness.window.focusWidget();
        focusOnHiddenControl = focused != nullptr && !focused->isVisibleTo(&harness.window);
        QWidget* keyTarget = focused != nullptr ? focused : &harness.window;
        QTest::keyClick(keyTarget, Qt::Key_Space);
        QTest::keyClick(keyTarget, Qt::Key_Return);
        for (int id : {ctl::kBtnLogSave, ctl::kBtnModelSave, ctl::kBtnUpdate}) {
            harness.button(id)->click();
        }
        QTest::keyClick(&harness.window, Qt::Key_Escape);
    });

    harness.button(ctl::kBtnLogSave)->click();

    EXPECT_FALSE(focusOnHiddenControl);
    EXPECT_EQ(harness.fileDialogs, 2) << "only the first LOG SAVE chose its files";
    EXPECT_TRUE(harness.window.shownMessageBoxes().empty());
    EXPECT_FALSE(harness.window.isVisible());
    EXPECT_EQ(harness.window.result(), IDCANCEL);
}

// The Cancel button is clicked inside the running transfer's handler; it must
// still reach the logic, and the window stays open for the next transfer.
TEST(WindowFieldTest, CancelStopsTheTransferAndTheWindowStays) {
    ScriptedWindow harness;
    bool cancelShown = false;
    QTimer::singleShot(0, [&] {  // in the handshake's first pump
        cancelShown = harness.button(ctl::kBtnCancel)->isVisible();
        harness.button(ctl::kBtnCancel)->click();
    });
    harness.button(ctl::kBtnLogSave)->click();

    EXPECT_TRUE(cancelShown);
    EXPECT_TRUE(harness.window.shownMessageBoxes().empty());
    EXPECT_TRUE(harness.window.isVisible());
    EXPECT_FALSE(harness.button(ctl::kBtnCancel)->isVisible());
    EXPECT_TRUE(harness.button(ctl::kBtnLogSave)->isVisible());
    EXPECT_FALSE(harness.logic.CancelRequested());
}

// The close box pressed while the transfer waits 10 s for a silent logger
// reaches the window only once the result's box is up, which blocks it: the
// window system dropped the close and the window stayed open.
TEST(WindowFieldTest, CloseDuringASilentWaitClosesTheWindowAfterTheResult) {
    ScriptedWindow harness;
    harness.device->replies = {"OK00\r\n"};  // to DSTA,1; then silence
    harness.logicClock.duringNextSleep = [&] {
        QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            harness.window.windowHandle());
    };
    QString boxText;
    bool openWhileBoxShown = false;
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        QCoreApplication::processEvents();  // whatever the window system still holds
        boxText = box->text();
        openWhileBoxShown = harness.window.isVisible();
        box->accept();
    });
    dismiss.start(5);

    harness.button(ctl::kBtnLogSave)->click();

    // The waits keep the window's events flowing: the close stops the
    // transfer at once (no result box), the frame finishes, then it closes.
    EXPECT_TRUE(boxText.isEmpty()) << boxText.toStdString();
    EXPECT_FALSE(openWhileBoxShown);
    EXPECT_TRUE(harness.logic.CancelRequested());
    EXPECT_FALSE(harness.window.isVisible()) << "the close was lost";
    EXPECT_EQ(harness.window.result(), IDCANCEL);
}

TEST(WindowFieldTest, PortsShowShortNamesAndKeepTheWholePathAtHand) {
    WindowHarness one({"/dev/ttyUSB0"});
    auto* label = qobject_cast<QLabel*>(one.window.control(ctl::kStaticPort));
    EXPECT_EQ(label->text(), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(label->toolTip(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(one.window.ControlText(ctl::kStaticPort), "/dev/ttyUSB0") << "what the logic opens";

    WindowHarness two({"/dev/ttyUSB1", "/dev/pts/12"});
    auto* combo = qobject_cast<PortComboBox*>(two.window.control(ctl::kComboPort));
    EXPECT_EQ(combo->shownText(), QStringLiteral("pts/12"));
    EXPECT_EQ(combo->toolTip(), QStringLiteral("/dev/pts/12"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("/dev/ttyUSB1")) << "the list shows whole paths";
    EXPECT_GE(combo->view()->minimumWidth(),
              combo->fontMetrics().horizontalAdvance(QStringLiteral("/dev/ttyUSB1")));
    EXPECT_EQ(two.window.ComboSelectedText(), "/dev/pts/12");
    EXPECT_EQ(shortPortName(QStringLiteral("\\\\.\\COM10")), QStringLiteral("COM10"));

    EXPECT_FALSE(two.window.ComboListOpen());
    combo->showPopup();
    EXPECT_TRUE(two.window.ComboListOpen());
    combo->hidePopup();
    EXPECT_FALSE(two.window.ComboListOpen());
}

// Each text measured against its control: a button's text with the style's
// margins on both sides, a label's against its inside.
TEST(WindowFieldTest, EveryTextFitsItsControl) {
    WindowHarness harness({"/dev/ttyUSB0"}, true);
    const QStyle* style = harness.window.style();
    const int buttonMargins = 2 * style->pixelMetric(QStyle::PM_ButtonMargin);
    for (int id : {ctl::kBtnLogSave, ctl::kBtnModelSave, ctl::kBtnUpdate}) {
        const auto* button = qobject_cast<QAbstractButton*>(harness.window.control(id));
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + buttonMargins,
                  button->width())
            << button->text().toStdString();
    }
    const auto* group = qobject_cast<QGroupBox*>(harness.window.control(ctl::kPortGroup));
    EXPECT_LE(group->fontMetrics().horizontalAdvance(group->title()) + buttonMargins,
              group->width());
    const std::pair<int, QString> labelTexts[] = {
        {ctl::kStaticTitle, displayText(txt::kTitleLogSave)},
        {ctl::kStaticTitle, displayText(txt::kTitleModelSave)},
        {ctl::kStaticTitle, displayText(txt::kTitleUpdate)},
        {ctl::kStaticPercent, QStringLiteral("100%")},
        {ctl::kStaticPort, QStringLiteral("ttyUSB0")},
    };
    for (const auto& [id, text] : labelTexts) {
        const QWidget* label = harness.window.control(id);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->contentsRect().width())
            << text.toStdString();
    }
    auto* combo = qobject_cast<PortComboBox*>(harness.window.control(ctl::kComboPort));
    EXPECT_TRUE(combo->hasRoomFor(QStringLiteral("ttyUSB0")));
}

}  // namespace
