#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/temp_files.h"
#include "text/catalog.h"
#include "text/japanese_catalog.h"
#include "text/translation.h"
#include "text/ui_language.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = fs::path(DATADOCK_TEST_DATA_DIR) / ".." / "..";

// Where the programs' own code lies; the simulated logger is a developer's
// tool and speaks English only.
const char* const kProductFolders[] = {"app",  "cli",    "device", "serial",
                                       "text", "update", "viewer"};

// The calls that mark a text as the user's: a string literal (or several,
// joined) right after one of them is an English text the catalog translates.
const std::string_view kMarkers[] = {"translated(", "DD_TEXT(", "qtText(", "wideText("};

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// The literals after position, joined and with their escapes undone; empty
// when the call takes something else (a name, a variable).
std::string literalAt(const std::string& code, std::size_t position) {
    std::string text;
    while (true) {
        while (position < code.size() && isSpace(code[position]))
            ++position;
        if (position >= code.size() || code[position] != '"') {
            return text;
        }
        std::size_t end = position + 1;
        while (end < code.size() && code[end] != '"') {
            end += code[end] == '\\' ? 2 : 1;
        }
        text += withEscapesUndone(std::string_view(code).substr(position + 1, end - position - 1));
        position = end + 1;
    }
}

std::set<std::string> markedTextsIn(const std::string& code) {
    std::set<std::string> texts;
    for (const auto marker : kMarkers) {
        for (auto at = code.find(marker); at != std::string::npos; at = code.find(marker, at + 1)) {
            const bool wholeName =
                at == 0 ||
                !(std::isalnum(static_cast<unsigned char>(code[at - 1])) || code[at - 1] == '_');
            if (std::string text = literalAt(code, at + marker.size());
                wholeName && !text.empty()) {
                texts.insert(std::move(text));
            }
        }
    }
    return texts;
}

std::set<std::string> markedTextsOfTheProduct() {
    std::set<std::string> texts;
    for (const char* folder : kProductFolders) {
        for (const auto& file : fs::recursive_directory_iterator(kSourceDir / folder)) {
            const auto extension = file.path().extension();
            if (extension == ".cpp" || extension == ".h") {
                texts.merge(markedTextsIn(ReadFileBytes(file.path().string())));
            }
        }
    }
    return texts;
}

// The files under res/ that carry their translations beside the English:
// desktop entries, resource scripts, the installer.
std::vector<fs::path> translatedResourceFiles() {
    std::vector<fs::path> files;
    for (const auto& file : fs::directory_iterator(kSourceDir / "res")) {
        const auto extension = file.path().extension();
        if (extension == ".desktop" || extension == ".rc" || extension == ".nsi") {
            files.push_back(file.path());
        }
    }
    return files;
}

// Whether a resource file holds the text whole: quoted, as resource scripts
// and the installer have it, or as a desktop entry's value.
bool holdsText(const std::string& file, const std::string& text) {
    return file.find('"' + text + '"') != std::string::npos ||
           file.find('=' + text + '\n') != std::string::npos;
}

// The values of a desktop entry's keys a user reads, in English.
std::vector<std::string> desktopTexts(const std::string& entry) {
    std::vector<std::string> texts;
    for (const std::string key : {"\nName=", "\nComment=", "\nKeywords="}) {
        if (const auto at = entry.find(key); at != std::string::npos) {
            const auto start = at + key.size();
            texts.push_back(entry.substr(start, entry.find('\n', start) - start));
        }
    }
    return texts;
}

}  // namespace

TEST(CatalogTest, ReadsEntriesAsGettextDoes) {
    const Catalog catalog = parseCatalog(
        "msgid \"\"\nmsgstr \"Language: ja\\n\"\n\n"
        "msgid \"One \\\"quoted\\\"\\r\\n\"\n\"two\"\nmsgstr \"\xE4\xB8\x80\"\n\"\\x41\"\n\n"
        "#, fuzzy\nmsgid \"Guessed\"\nmsgstr \"\xE4\xBA\x8C\"\n\n"
        "# a translator's comment\nmsgid \"Not yet\"\nmsgstr \"\"\n");
    ASSERT_EQ(catalog.entries.size(), 3u);
    EXPECT_EQ(catalog.translations.size(), 1u);
    EXPECT_EQ(catalog.translations.at("One \"quoted\"\r\ntwo"),
              "\xE4\xB8\x80"
              "A");
    EXPECT_EQ(catalog.entries[1].translation, "");  // fuzzy stays English
    EXPECT_EQ(catalog.entries[2].english, "Not yet");
}

TEST(CatalogTest, PlaceholdersAreFilledAfterTranslating) {
    useUiLanguage(UiLanguage::Japanese);
    EXPECT_EQ(translated("{transfer} stopped.", {{"transfer", "LOG SAVE"}}),
              japaneseText("{transfer} stopped.").replace(0, 10, "LOG SAVE"));
    useUiLanguage(UiLanguage::English);
    EXPECT_EQ(translated("{a} of {b}, {unknown} {a}", {{"a", "{b}"}, {"b", "2"}}),
              "{b} of 2, {unknown} {b}");
    EXPECT_EQ(translated("Not in the catalog {"), "Not in the catalog {");
}

TEST(UiLanguageTest, FollowsTheVariablesAsGettextDoes) {
    const auto ja = UiLanguage::Japanese;
    const auto en = UiLanguage::English;
    EXPECT_EQ(languageFromVariables(nullptr, nullptr, nullptr, nullptr), en);
    EXPECT_EQ(languageFromVariables(nullptr, nullptr, nullptr, "ja_JP.UTF-8"), ja);
    EXPECT_EQ(languageFromVariables(nullptr, nullptr, nullptr, "de_DE.UTF-8"), en);
    EXPECT_EQ(languageFromVariables(nullptr, "C", nullptr, "ja_JP.UTF-8"), en);
    EXPECT_EQ(languageFromVariables(nullptr, "", "ja_JP", "C.UTF-8"), ja);
    EXPECT_EQ(languageFromVariables("ja", "C", nullptr, nullptr), en);
    EXPECT_EQ(languageFromVariables("de:ja:en", nullptr, nullptr, "de_DE.UTF-8"), ja);
    EXPECT_EQ(languageFromVariables("en_GB:ja", nullptr, nullptr, "ja_JP.UTF-8"), en);
    EXPECT_EQ(languageFromVariables("ja", nullptr, nullptr, nullptr), ja);
    EXPECT_EQ(languageFromVariables(nullptr, nullptr, nullptr, "jam"), en);
}

// Derived from the code, the resources and the catalog: a text marked for the
// user and added without its Japanese fails here, and so does a desktop entry,
// resource script or installer text without its Japanese beside it, a
// translation that loses or invents a placeholder, or one left behind when its
// text went. The product's name stays as it is in every language.
TEST(CatalogTest, EveryTextOfTheUserIsTranslatedWithItsPlaceholders) {
    const Catalog catalog = parseCatalog(kJapaneseCatalog);
    const std::set<std::string> marked = markedTextsOfTheProduct();
    ASSERT_GT(marked.size(), 5u);
    for (const auto& english : marked) {
        EXPECT_TRUE(catalog.translations.contains(english)) << "no Japanese for: " << english;
    }
    std::set<std::string> inResources;
    for (const auto& file : translatedResourceFiles()) {
        const std::string text = ReadFileBytes(file.string());
        if (file.extension() == ".desktop") {
            for (const auto& english : desktopTexts(text)) {
                EXPECT_TRUE(catalog.translations.contains(english) || english == "DATADOCK MANAGER")
                    << file.filename() << ": no Japanese for " << english;
            }
        }
        for (const auto& [english, translation] : catalog.translations) {
            EXPECT_TRUE(!holdsText(text, english) || holdsText(text, translation))
                << file.filename() << " lacks the Japanese of " << english;
        }
        for (const auto& entry : catalog.entries) {
            if (holdsText(text, entry.english))
                inResources.insert(entry.english);
        }
    }
    std::set<std::string> seen;
    for (const auto& [english, translation] : catalog.entries) {
        EXPECT_TRUE(seen.insert(english).second) << "twice in the catalog: " << english;
        EXPECT_TRUE(marked.contains(english) || inResources.contains(english))
            << "used nowhere: " << english;
        auto ours = placeholdersOf(english);
        auto theirs = placeholdersOf(translation);
        std::sort(ours.begin(), ours.end());
        std::sort(theirs.begin(), theirs.end());
        EXPECT_EQ(ours, theirs) << "placeholders differ for: " << english;
    }
}
