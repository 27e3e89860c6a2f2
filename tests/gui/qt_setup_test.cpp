// How the window maps the template, file dialogs, message boxes and its
// resources onto Qt.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>

#include "app/control_ids.h"
#include "app/qt/datadock_window.h"
#include "app/qt/dialog_units.h"
#include "app/qt/file_dialog_setup.h"
#include "app/qt/message_box_setup.h"
#include "app/texts.h"
#include "tests/gui/qt_printers.h"

namespace {

TEST(DialogUnitsTest, ScaleByAQuarterCharacterAndAnEighthLineRoundingHalvesUp) {
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.toPixels({7, 7, 51, 27}), QRect(11, 11, 77, 44));  // 10.5, 11.4, 76.5, 43.9
    EXPECT_EQ(units.toPixels(171, 148), QSize(257, 241));
    EXPECT_EQ(units.toPixels(0, 0), QSize(0, 0));
}

// The closed list is one line; the template's height is for the dropped list.
TEST(DialogUnitsTest, ThePortListIsOneLineHighUntilDropped) {
    DatadockWindow window;
    const DialogUnits units(window.font());
    auto* combo = qobject_cast<QComboBox*>(window.control(ctl::kComboPort));
    EXPECT_EQ(combo->geometry().topLeft(), units.toPixels({12, 16, 41, 61}).topLeft());
    EXPECT_LT(combo->height(), units.toPixelsY(61) / 2);
    EXPECT_GE(combo->maxVisibleItems(), 3);
}

TEST(FileDialogSetupTest, FilterListsBecomeQtNameFilters) {
    EXPECT_EQ(qtNameFilters(txt::kCsvFilter), QStringLiteral("CSV (*.csv)"));
    EXPECT_EQ(qtNameFilters(txt::kUpdateFilter), QStringLiteral("Update file (*.dat)"));
    EXPECT_EQ(qtNameFilters("Logs|*.csv;*.txt|All files (*.*)|*.*||"),
              QStringLiteral("Logs (*.csv *.txt);;All files (*.*)"));
    EXPECT_EQ(qtNameFilters(""), QString());
    EXPECT_EQ(qtNameFilters("||"), QString());
}

TEST(FileDialogSetupTest, SaveDialogsConfirmOverwritingAndOpenDialogsNeedAnExistingFile) {
    QFileDialog save;
    configureFileDialog(save, {false, "csv", "_lap", txt::kCsvFilter}, QString());
    EXPECT_EQ(save.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(save.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save.defaultSuffix(), QStringLiteral("csv"));
    EXPECT_EQ(save.nameFilters(), QStringList{QStringLiteral("CSV (*.csv)")});
    ASSERT_FALSE(save.selectedFiles().isEmpty());
    EXPECT_TRUE(save.selectedFiles().constFirst().endsWith(QStringLiteral("/_lap.csv")))
        << save.selectedFiles().constFirst().toStdString();

    QFileDialog open;
    configureFileDialog(open, {true, "dat", "", txt::kUpdateFilter}, QStringLiteral("/tmp"));
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.directory().absolutePath(), QStringLiteral("/tmp"));
}

TEST(MessageBoxSetupTest, IconKindsTextAndDetail) {
    EXPECT_EQ(qtMessageIcon(MessageIcon::Exclamation), QMessageBox::Warning);
    EXPECT_EQ(qtMessageIcon(MessageIcon::Information), QMessageBox::Information);
    EXPECT_EQ(qtMessageIcon(MessageIcon::Error), QMessageBox::Critical);

    QMessageBox box;
    configureMessageBox(box, txt::kUpdateComplete, MessageIcon::Information,
                        "\"<b>/dev/x</b>\" is not a serial port name.");
    EXPECT_EQ(box.text(), QStringLiteral("Update complete!!\nReboot the KTR-90."));
    EXPECT_EQ(box.buttons().size(), 1);
    EXPECT_EQ(box.standardButton(box.buttons().constFirst()), QMessageBox::Ok);
    // A detail that looks like markup is shown as it is.
    auto* detail = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->textFormat(), Qt::PlainText);
    EXPECT_EQ(detail->text(), QStringLiteral("\"<b>/dev/x</b>\" is not a serial port name."));

    QMessageBox plain;
    configureMessageBox(plain, txt::kNoData, MessageIcon::Exclamation, "");
    EXPECT_TRUE(plain.informativeText().isEmpty());
}

QByteArray sourceFile(const char* relativePath) {
    QFile file(QStringLiteral(DATADOCK_SOURCE_DIR "/") + QString::fromLatin1(relativePath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ResourcesTest, VersionsAndNamesAgreeWithTheProject) {
    const QByteArray version(DATADOCK_VERSION);
    QByteArray commaVersion = version;
    commaVersion.replace('.', ',');

    const QByteArray rc = sourceFile("res/datadock.rc");
    EXPECT_TRUE(rc.contains("FILEVERSION " + commaVersion));
    EXPECT_TRUE(rc.contains("PRODUCTVERSION " + commaVersion));
    EXPECT_TRUE(rc.contains("VALUE \"FileVersion\", \"" + version + "\""));
    EXPECT_TRUE(rc.contains("VALUE \"ProductVersion\", \"" + version + "\""));
    EXPECT_TRUE(rc.contains("128 ICON \"datadock.ico\""));
    EXPECT_TRUE(sourceFile("res/datadock.ico").startsWith(QByteArray("\0\0\1\0", 4)));

    const QByteArray desktop = sourceFile("res/datadock-manager.desktop");
    EXPECT_TRUE(desktop.contains("\nName=DATADOCK MANAGER\n"));
    EXPECT_TRUE(desktop.contains("\nExec=datadock-manager\n"));
    EXPECT_TRUE(desktop.contains("\nIcon=datadock\n"));

    DatadockWindow window;  // registers the compiled-in icon
    EXPECT_TRUE(window.windowIcon().availableSizes().contains(QSize(48, 48)));
}

}  // namespace
