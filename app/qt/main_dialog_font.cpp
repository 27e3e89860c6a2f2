#include "app/qt/main_dialog_font.h"

#include <QFontDatabase>
#include <QStringList>

#include "app/control_ids.h"
#include "app/texts.h"

const std::vector<RunningText>& mainDialogRunningTexts() {
    static const std::vector<RunningText> texts = {
        {ctl::kStaticTitle, txt::kTitleLogSave},
        {ctl::kStaticTitle, txt::kTitleModelSave},
        {ctl::kStaticTitle, txt::kTitleUpdate},
        {ctl::kStaticPercent, "100%"},
        {ctl::kStaticPort, txt::kNoPort},
        {ctl::kStaticPort, "ttyUSB0"},
        {ctl::kStaticPort, "COM10"},
        {ctl::kComboPort, "ttyUSB0"},
        {ctl::kComboPort, "COM10"},
    };
    return texts;
}

QFont mainDialogFont() {
    const QString family = QString::fromLatin1(kMainDialogFontFamily);
    QFont font = QFontDatabase::families().contains(family)
                     ? QFont(family)
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(kMainDialogFontPointSize);
    return font;
}
