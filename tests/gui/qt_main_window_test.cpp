// The window driven through its controls and keys, with the real logic;
// pictures of its idle layouts go to the build tree for a person to look at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "app/control_ids.h"
#include "app/qt/control_text.h"
#include "app/qt/port_combo_box.h"
#include "app/texts.h"
#include "tests/gui/main_window_layouts.h"
#include "tests/gui/qt_printers.h"
#include "tests/gui/screenshot.h"
#include "tests/gui/window_harness.h"

namespace {

const QString kArrow(QChar(0x2192));

TEST(QtMainWindowTest, IdleWithoutPorts_LogSaveSaysNotConnectedWithTheReason) {
    WindowHarness harness;
    EXPECT_EQ(harness.window.windowTitle(), QStringLiteral("DATADOCK MANAGER  Ver1.05"));
    EXPECT_FALSE(harness.window.windowIcon().isNull());
    EXPECT_FALSE(harness.window.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QPoint offCentre = harness.window.frameGeometry().center() -
                             harness.window.screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);
    expectLayout(harness, layout::kIdle);
    EXPECT_EQ(harness.shownText(ctl::kPortGroup), QStringLiteral("DATADOCK"));
    EXPECT_EQ(harness.shownText(ctl::kStaticPort), QStringLiteral("-----"));
    const QString logSave = harness.shownText(ctl::kBtnLogSave);
    EXPECT_TRUE(logSave.startsWith(QString(3, QChar(0x3000)) + "LOG SAVE "))
        << logSave.toStdString();
    EXPECT_TRUE(logSave.endsWith("KTR-90 " + kArrow + " PC")) << logSave.toStdString();
    EXPECT_TRUE(harness.shownText(ctl::kBtnUpdate).endsWith("PC " + kArrow + " KTR-90"));
    EXPECT_TRUE(harness.window.timerRunning(kPortPollTimerId));
    saveScreenshot(harness.window, "idle.png");

    harness.button(ctl::kBtnLogSave)->click();
    ASSERT_EQ(harness.window.shownMessageBoxes().size(), 1u);
    const ShownMessageBox& box = harness.window.shownMessageBoxes().front();
    EXPECT_EQ(box.text, txt::kNotConnected);
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_FALSE(box.detail.empty());
    EXPECT_TRUE(harness.window.isVisible());
    expectLayout(harness, layout::kIdle);
}

// The closed list is narrow and shows the short name; the logic and the
// dropped list get whole paths.
TEST(QtMainWindowTest, PortsAndTheSwitch_ListSortedAsTextWithWholePathsAtHand) {
    WindowHarness harness({"/dev/ttyUSB3", "/dev/ttyUSB12", "/dev/pts/1"}, true);
    expectLayout(harness, layout::kIdlePortListVardo);
    EXPECT_EQ(harness.shownText(ctl::kBtnModelSave), "MODEL SAVE      KTR-90 " + kArrow + " PC");
    EXPECT_EQ(harness.window.ComboItems(),
              (std::vector<std::string>{"/dev/pts/1", "/dev/ttyUSB12", "/dev/ttyUSB3"}));
    EXPECT_EQ(harness.window.ComboSelectedText(), "/dev/pts/1");
    auto* combo = qobject_cast<PortComboBox*>(harness.window.control(ctl::kComboPort));
    EXPECT_EQ(combo->shownText(), QStringLiteral("pts/1"));
    EXPECT_EQ(combo->toolTip(), QStringLiteral("/dev/pts/1"));
    EXPECT_GE(combo->view()->minimumWidth(),
              combo->fontMetrics().horizontalAdvance(QStringLiteral("/dev/ttyUSB12")));
    EXPECT_EQ(shortPortName(QStringLiteral("\\\\.\\COM10")), QStringLiteral("COM10"));
    saveScreenshot(harness.window, "idle-vardo.png");
}

TEST(QtMainWindowTest, OnePortShowsItsShortName_ControlsGiveBackTheBytesTheyWereGiven) {
    WindowHarness harness({"/dev/ttyUSB0"});
    auto* port = qobject_cast<QLabel*>(harness.window.control(ctl::kStaticPort));
    EXPECT_EQ(port->text(), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(port->toolTip(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(harness.window.ControlText(ctl::kStaticPort), "/dev/ttyUSB0")
        << "what the logic opens";

    // A UTF-8 path joined by the system's code page 932 arrow.
    const std::string info = "/home/p\xC3\xA9" + std::string(txt::kArrowSeparator) + "b.csv";
    harness.window.SetControlText(ctl::kStaticInfo, info);
    EXPECT_EQ(harness.window.ControlText(ctl::kStaticInfo), info);
    EXPECT_EQ(harness.shownText(ctl::kStaticInfo),
              QString::fromUtf8("/home/p\xC3\xA9 ") + kArrow + " b.csv");
    harness.window.ComboAddString("\x81\xA8");
    EXPECT_EQ(harness.window.ComboItems().back(), "\x81\xA8");
}

// Enter on a button clicks it; elsewhere it ends the dialog as OK, while Esc
// and the close box end it as a cancel; either way the logic learns it is gone.
TEST(QtMainWindowTest, EnterClicksAFocusedButton_EnterEscAndTheCloseBoxEndTheDialog) {
    WindowHarness onButton;
    QTest::keyClick(onButton.window.control(ctl::kBtnLogSave), Qt::Key_Return);
    EXPECT_EQ(onButton.window.shownMessageBoxes().size(), 1u);
    EXPECT_TRUE(onButton.window.isVisible());

    for (const Qt::Key ending : {Qt::Key_Enter, Qt::Key_Escape, Qt::Key_unknown}) {
        WindowHarness harness({"/dev/ttyUSB0", "/dev/ttyUSB1"});
        if (ending == Qt::Key_unknown) {
            harness.window.close();  // the close box
        } else {
            QTest::keyClick(harness.window.control(ctl::kComboPort), ending, Qt::KeypadModifier);
        }
        const bool ok = ending == Qt::Key_Enter;
        EXPECT_FALSE(harness.window.isVisible()) << ending;
        EXPECT_EQ(harness.window.result(), ok ? IDOK : IDCANCEL) << ending;
        EXPECT_EQ(harness.logic.CancelRequested(), !ok) << ending;
        EXPECT_FALSE(harness.window.timerRunning(kPortPollTimerId)) << "OnDestroy not told";
        EXPECT_TRUE(harness.window.shownMessageBoxes().empty());
    }
}

}  // namespace
