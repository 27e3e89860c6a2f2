// How the window maps the template, file dialogs, message boxes and its
// resources onto Qt.
#include <gtest/gtest.h>

#include <QComboBox>
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

TEST(FileDialogSetupTest, FilterListsBecomeQtNameFilters) {
    EXPECT_EQ(qtNameFilters(txt::kCsvFilter), QStringLiteral("CSV (*.csv)"));
    EXPECT_EQ(qtNameFilters(txt::kUpdateFilter), QStringLiteral("Update file (*.dat)"));
    EXPECT_EQ(qtNameFilters("Logs|*.csv;*.txt|All files (*.*)|*.*||"),
              QStringLiteral("Logs (*.csv *.txt);;All files (*.*)"));
    EXPECT_EQ(qtNameFilters(""), QString());
    EXPECT_EQ(qtNameFilters("||"), QString());
}

TEST(MessageBoxSetupTest, TextAndDetail) {
    QMessageBox box;
    configureMessageBox(box, txt::kUpdateComplete, MessageIcon::Information,
                        "\"<b>/dev/x</b>\" is not a serial port name.");
    EXPECT_EQ(box.text(), QStringLiteral("Update complete!!\nReboot the KTR-90."));
    EXPECT_EQ(box.icon(), QMessageBox::Information);
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

}  // namespace
