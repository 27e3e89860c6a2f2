// How the window maps the system's file filters and message boxes onto Qt,
// and takes Qt's own texts in the user's language.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include "app/qt/file_dialog_setup.h"
#include "app/qt/message_box_setup.h"
#include "app/qt/qt_translations.h"
#include "app/texts.h"
#include "tests/gui/main_window_layouts.h"
#include "tests/gui/qt_printers.h"

namespace {

TEST(FileDialogSetupTest, FilterListsBecomeQtNameFilters) {
    EXPECT_EQ(qtNameFilters(txt::kCsvFilter), QStringLiteral("CSV (*.csv)"));
    EXPECT_EQ(qtNameFilters("Logs|*.csv;*.txt|All files (*.*)|*.*||"),
              QStringLiteral("Logs (*.csv *.txt);;All files (*.*)"));
    EXPECT_EQ(qtNameFilters("||"), QString());
    const InJapanese japanese;
    EXPECT_EQ(qtNameFilters(translated(txt::kUpdateFilter)),
              QString::fromUtf8("アップデートファイル (*.dat)"));
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

// Qt's Japanese (Debian's qt6-translations-l10n) is taken only for a Japanese
// user, and only where it is installed.
TEST(QtTranslationsTest, QtsOwnJapaneseForAJapaneseUserWhereInstalled) {
    QTranslator translator;
    EXPECT_FALSE(installQtTranslations(*QCoreApplication::instance(), translator));
    const InJapanese japanese;
    const bool present = QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                                       QStringLiteral("/qtbase_ja.qm"));
    EXPECT_EQ(installQtTranslations(*QCoreApplication::instance(), translator), present);
    if (present) {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes);
        EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QString::fromUtf8("はい")));
    }
    QCoreApplication::removeTranslator(&translator);
}

}  // namespace
