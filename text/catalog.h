#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

// A catalog of translations in the gettext .po format: the English text as
// the msgid, its translation as the msgstr, both quoted with C escapes.
// Entries marked fuzzy and entries whose msgstr is empty stay untranslated,
// as gettext's own tools treat them; the header entry (empty msgid) is left out.
struct CatalogEntry {
    std::string english;
    std::string translation;
};

struct Catalog {
    std::vector<CatalogEntry> entries;  // in the file's order, untranslated ones too
    std::map<std::string, std::string, std::less<>> translations;
};

Catalog parseCatalog(std::string_view po);

// The names between braces in a text, in order: "{file}" in "Cannot read {file}.".
std::vector<std::string> placeholdersOf(std::string_view text);

// A quoted text's C escapes undone (\n \r \t \" \\ \xNN), as in .po files
// and in C++ string literals.
std::string withEscapesUndone(std::string_view quoted);
