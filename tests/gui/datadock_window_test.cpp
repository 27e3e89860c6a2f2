// The window driven through its controls and keys, with the real logic.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QScreen>
#include <QTest>
#include <stdexcept>

#include "app/control_ids.h"
#include "app/texts.h"
#include "tests/gui/qt_printers.h"
#include "tests/gui/window_harness.h"

namespace {

const QString kIdeographicSpace(QChar(0x3000));
const QString kArrow(QChar(0x2192));

TEST(DatadockWindowTest, IdleLayoutWithoutPortsOrSwitch) {
    WindowHarness harness;

    EXPECT_EQ(harness.window.windowTitle(), QStringLiteral("DATADOCK MANAGER  Ver1.05"));
    EXPECT_FALSE(harness.window.windowIcon().isNull());
    EXPECT_FALSE(harness.window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(harness.window.windowFlags() & Qt::WindowMaximizeButtonHint);
    const QPoint offCentre = harness.window.frameGeometry().center() -
                             harness.window.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);
    expectVisibility(harness, {{ctl::kPortGroup, true},
                               {ctl::kStaticPort, true},
                               {ctl::kComboPort, false},
                               {ctl::kBtnLogSave, true},
                               {ctl::kBtnModelSave, false},
                               {ctl::kBtnUpdate, true},
                               {ctl::kProgress, false},
                               {ctl::kGroupTransfer, false},
                               {ctl::kStaticTitle, false},
                               {ctl::kStaticInfo, false},
                               {ctl::kStaticPercent, false}});

    EXPECT_EQ(harness.shownText(ctl::kPortGroup), QStringLiteral("DATADOCK"));
    EXPECT_EQ(harness.shownText(ctl::kStaticPort), QStringLiteral("-----"));
    const QString logSave = harness.shownText(ctl::kBtnLogSave);
    EXPECT_TRUE(logSave.startsWith(kIdeographicSpace.repeated(3) + "LOG SAVE "))
        << logSave.toStdString();
    EXPECT_TRUE(logSave.endsWith("KTR-90 " + kArrow + " PC")) << logSave.toStdString();
    EXPECT_TRUE(harness.shownText(ctl::kBtnUpdate).endsWith("PC " + kArrow + " KTR-90"));
    EXPECT_TRUE(harness.window.timerRunning(kPortPollTimerId));
}

TEST(DatadockWindowTest, IdleLayoutWithSwitchAndTwoPortsSortedAsText) {
    WindowHarness harness({"/dev/ttyUSB3", "/dev/ttyUSB12"}, true);

    expectVisibility(harness, {{ctl::kComboPort, true},
                               {ctl::kStaticPort, false},
                               {ctl::kBtnLogSave, true},
                               {ctl::kBtnModelSave, true},
                               {ctl::kBtnUpdate, true}});
    EXPECT_EQ(harness.shownText(ctl::kBtnModelSave), "MODEL SAVE      KTR-90 " + kArrow + " PC");
    EXPECT_EQ(harness.window.ComboItems(),
              (std::vector<std::string>{"/dev/ttyUSB12", "/dev/ttyUSB3"}));
    EXPECT_EQ(harness.window.ComboSelectedText(), "/dev/ttyUSB12");
    auto* combo = qobject_cast<QComboBox*>(harness.window.control(ctl::kComboPort));
    EXPECT_EQ(combo->currentText(), QStringLiteral("/dev/ttyUSB12"));
    EXPECT_TRUE(combo->isEnabled());
    // The closed box is narrow; the dropped list shows whole names.
    EXPECT_GE(combo->view()->minimumWidth(),
              combo->fontMetrics().horizontalAdvance(QStringLiteral("/dev/ttyUSB12")));
}

TEST(DatadockWindowTest, ControlsGiveBackTheBytesTheyWereGiven) {
    WindowHarness harness({"/dev/ttyUSB0"});
    EXPECT_EQ(harness.window.ControlText(ctl::kStaticPort), "/dev/ttyUSB0");

    // A UTF-8 path joined by the system's code page 932 arrow.
    const std::string info = "/home/p\xC3\xA9" + std::string(txt::kArrowSeparator) + "b.csv";
    harness.window.SetControlText(ctl::kStaticInfo, info);
    EXPECT_EQ(harness.window.ControlText(ctl::kStaticInfo), info);
    EXPECT_EQ(harness.shownText(ctl::kStaticInfo),
              QString::fromUtf8("/home/p\xC3\xA9 ") + kArrow + " b.csv");

    harness.window.ComboAddString("\x81\xA8");
    EXPECT_EQ(harness.window.ComboItems().back(), "\x81\xA8");
}

TEST(DatadockWindowTest, LogSaveWithoutAPortSaysNotConnectedWithTheReason) {
    WindowHarness harness;
    harness.click(ctl::kBtnLogSave);

    ASSERT_EQ(harness.window.shownMessageBoxes().size(), 1u);
    const ShownMessageBox& box = harness.window.shownMessageBoxes().front();
    EXPECT_EQ(box.text, txt::kNotConnected);
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_FALSE(box.detail.empty());
    EXPECT_TRUE(harness.window.isVisible());
    EXPECT_TRUE(harness.visible(ctl::kBtnLogSave));
}

TEST(DatadockWindowTest, EscAndTheCloseBoxCancelAndEndTheDialog) {
    for (const bool byCloseBox : {false, true}) {
        WindowHarness harness;
        if (byCloseBox) {
            harness.window.close();
        } else {
            QTest::keyClick(&harness.window, Qt::Key_Escape);
        }
        EXPECT_FALSE(harness.window.isVisible()) << "close box: " << byCloseBox;
        EXPECT_EQ(harness.window.result(), IDCANCEL);
        EXPECT_TRUE(harness.logic.CancelRequested());
        EXPECT_FALSE(harness.window.timerRunning(kPortPollTimerId)) << "OnDestroy not told";
    }
}

TEST(DatadockWindowTest, EnterClicksAFocusedButtonAndIsOkElsewhere) {
    WindowHarness onButton;
    QTest::keyClick(onButton.window.control(ctl::kBtnLogSave), Qt::Key_Return);
    EXPECT_EQ(onButton.window.shownMessageBoxes().size(), 1u);
    EXPECT_TRUE(onButton.window.isVisible());

    WindowHarness onCombo({"/dev/ttyUSB0", "/dev/ttyUSB1"});
    QTest::keyClick(onCombo.window.control(ctl::kComboPort), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(onCombo.window.isVisible());
    EXPECT_EQ(onCombo.window.result(), IDOK);
    EXPECT_FALSE(onCombo.logic.CancelRequested());
    EXPECT_TRUE(onCombo.window.shownMessageBoxes().empty());
}

// Esc while a click's handler is still running (here: while its message box
// is up) raises the cancel flag at once but closes only after the handler;
// a stray Enter then does not turn the cancel into OK.
TEST(DatadockWindowTest, DialogEndedDuringAClickClosesWhenTheClickReturns) {
    WindowHarness harness;
    bool openInsideHandler = false;
    int cancelFlagInsideHandler = 0;
    harness.window.answerMessageBoxesWith([&](const ShownMessageBox&) {
        QTest::keyClick(&harness.window, Qt::Key_Escape);
        QTest::keyClick(&harness.window, Qt::Key_Return);
        openInsideHandler = harness.window.isVisible();
        cancelFlagInsideHandler = harness.logic.CancelRequested();
    });

    harness.click(ctl::kBtnLogSave);

    EXPECT_TRUE(openInsideHandler);
    EXPECT_EQ(cancelFlagInsideHandler, 1);
    EXPECT_FALSE(harness.window.isVisible());
    EXPECT_EQ(harness.window.result(), IDCANCEL);
}

// A port whose opening fails in a way nobody expected.
class ThrowingSerialPort : public SerialPortAPI {
public:
    void Open() override { throw std::runtime_error("adapter vanished"); }
};

TEST(DatadockWindowTest, AnUnexpectedFailureInAClickIsReportedAndTheWindowStays) {
    DatadockWindow window;
    window.answerMessageBoxesWith([](const ShownMessageBox&) {});
    CDatadockDlg logic(
        window, [] { return std::vector<std::string>{"/dev/ttyUSB0"}; },
        [] { return std::make_unique<ThrowingSerialPort>(); });
    window.attachLogic(logic);
    window.initDialog();
    window.show();

    qobject_cast<QAbstractButton*>(window.control(ctl::kBtnLogSave))->click();

    ASSERT_EQ(window.shownMessageBoxes().size(), 1u);
    EXPECT_EQ(window.shownMessageBoxes().front().icon, MessageIcon::Error);
    EXPECT_EQ(window.shownMessageBoxes().front().detail, "adapter vanished");
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.control(ctl::kBtnLogSave)->isVisibleTo(&window));
    window.detachLogic();
}

}  // namespace
