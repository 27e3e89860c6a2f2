#include "app/qt/main_dialog_font.h"

#include <QFontDatabase>
#include <QStringList>

QFont mainDialogFont() {
    const QString family = QString::fromLatin1(kMainDialogFontFamily);
    QFont font = QFontDatabase::families().contains(family)
                     ? QFont(family)
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(kMainDialogFontPointSize);
    return font;
}
