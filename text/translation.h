#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The user's texts in the user's language. English is written in the code;
// the Japanese catalog (res/po/ja.po) is built into every program.
enum class UiLanguage { English, Japanese };

// The language the texts are shown in: the system's choice unless a program
// was told otherwise (a switch for English on Windows, or a test).
UiLanguage uiLanguage();
void useUiLanguage(UiLanguage language);

// Whether this program speaks English though the system asks for another
// language: a program it starts is then told so too.
bool englishChosenOverSystem();

// Marks an English text in a table as one the catalog translates; the text is
// looked up where it is shown, through translated().
#define DD_TEXT(english) english

// The text in the user's language, as UTF-8: the English text itself when the
// language is English or the catalog has no translation for it.
std::string translated(std::string_view english);

// A value put in place of "{name}" in a translated text.
struct TextValue {
    std::string_view name;
    std::string_view value;
};

// The translated text with each "{name}" replaced by its value. Values are
// inserted as they are, after the translation, so a file name or a count is
// never translated itself.
std::string translated(std::string_view english, std::initializer_list<TextValue> values);

// The catalog's translation of a text, or the text itself; for the tests and
// for texts shown in both languages at once.
std::string japaneseText(std::string_view english);
