#include "app/qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "text/translation.h"

namespace {
constexpr char kQtJapanese[] = "qtbase_ja";
}  // namespace

bool installQtTranslations(QCoreApplication& application, QTranslator& translator) {
    if (uiLanguage() != UiLanguage::Japanese ||
        !translator.load(QString::fromLatin1(kQtJapanese),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    return application.installTranslator(&translator);
}
