// How the window maps the system's file filters and message boxes onto Qt.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>

#include "app/qt/file_dialog_setup.h"
#include "app/qt/message_box_setup.h"
#include "app/texts.h"
#include "tests/gui/qt_printers.h"

namespace {

TEST(FileDialogSetupTest, FilterListsBecomeQtNameFilters) {
    EXPECT_EQ(qtNameFilters(txt::kCsvFilter), QStringLiteral("CSV (*.csv)"));
    EXPECT_EQ(qtNameFilters("Logs|*.csv;*.txt|All files (*.*)|*.*||"),
              QStringLiteral("Logs (*.csv *.txt);;All files (*.*)"));
    EXPECT_EQ(qtNameFilters("||"), QString());
}

TEST(MessageBoxSetupTest, TextAndADetailThatLooksLikeMarkupShownAsItIs) {
    QMessageBox box;
    configureMessageBox(box, txt::kUpdateComplete, MessageIcon::Information,
                        "\"<b>/dev/x</b>\" is not a serial port name.");
    EXPECT_EQ(box.text(), QStringLiteral("Update complete!!\nReboot the KTR-90."));
    EXPECT_EQ(box.icon(), QMessageBox::Information);
    EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
    auto* detail = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->textFormat(), Qt::PlainText);
    EXPECT_EQ(detail->text(), QStringLiteral("\"<b>/dev/x</b>\" is not a serial port name."));
}

}  // namespace
