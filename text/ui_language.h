#pragma once

#include "text/translation.h"

// The language the system asks for, by each platform's convention.
UiLanguage systemUiLanguage();

// The POSIX convention, as gettext follows it: LANGUAGE (a list such as
// "ja:en") unless the locale is "C" or "POSIX", then LC_ALL, LC_MESSAGES and
// LANG, the first one set. A value beginning "ja" gives Japanese; the locale
// need not be generated, only named. A null pointer is a variable not set.
UiLanguage languageFromVariables(const char* language, const char* lcAll, const char* lcMessages,
                                 const char* lang);
