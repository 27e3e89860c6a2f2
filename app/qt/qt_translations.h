#pragma once

class QCoreApplication;
class QTranslator;

// Qt's own texts (the standard buttons Yes, No and OK, the file dialog) in
// the user's language: Japanese where the user's language is Japanese and Qt's
// translations are installed; Qt's English otherwise. translator must outlive
// the application's use of it. True when a translation was installed.
bool installQtTranslations(QCoreApplication& application, QTranslator& translator);
