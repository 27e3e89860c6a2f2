#include "text/catalog.h"

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The text between the first and the last quote of a line.
std::string quotedText(std::string_view line) {
    const auto first = line.find('"');
    const auto last = line.rfind('"');
    if (first == std::string_view::npos || last <= first) {
        return {};
    }
    return withEscapesUndone(line.substr(first + 1, last - first - 1));
}

bool startsWith(std::string_view line, std::string_view word) {
    return line.substr(0, word.size()) == word;
}

struct EntryBeingRead {
    std::string english;
    std::string translation;
    std::string* continued = nullptr;
    bool fuzzy = false;
    bool started = false;
};

void finishEntry(EntryBeingRead& entry, Catalog& catalog) {
    if (entry.started && !entry.english.empty()) {
        const bool translated = !entry.fuzzy && !entry.translation.empty();
        catalog.entries.push_back({entry.english, translated ? entry.translation : ""});
        if (translated) {
            catalog.translations.emplace(entry.english, entry.translation);
        }
    }
    entry = EntryBeingRead{};
}

}  // namespace

std::string withEscapesUndone(std::string_view quoted) {
    std::string text;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] != '\\' || i + 1 == quoted.size()) {
            text += quoted[i];
            continue;
        }
        const char escaped = quoted[++i];
        switch (escaped) {
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            case 'x': {
                int value = 0;
                while (i + 1 < quoted.size() && hexValue(quoted[i + 1]) >= 0) {
                    value = value * 16 + hexValue(quoted[++i]);
                }
                text += static_cast<char>(value);
                break;
            }
            default:
                text += escaped;
                break;  // \" \\ and the like
        }
    }
    return text;
}

Catalog parseCatalog(std::string_view po) {
    Catalog catalog;
    EntryBeingRead entry;
    while (!po.empty()) {
        const auto end = po.find('\n');
        std::string_view line = po.substr(0, end);
        po = end == std::string_view::npos ? std::string_view{} : po.substr(end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (startsWith(line, "#,") && line.find("fuzzy") != std::string_view::npos) {
            finishEntry(entry, catalog);
            entry.fuzzy = true;
        } else if (startsWith(line, "msgid ")) {
            if (entry.started) {
                finishEntry(entry, catalog);
            }
            entry.started = true;
            entry.english = quotedText(line);
            entry.continued = &entry.english;
        } else if (startsWith(line, "msgstr ")) {
            entry.translation = quotedText(line);
            entry.continued = &entry.translation;
        } else if (startsWith(line, "\"") && entry.continued != nullptr) {
            *entry.continued += quotedText(line);
        } else if (line.empty()) {
            finishEntry(entry, catalog);
        }
    }
    finishEntry(entry, catalog);
    return catalog;
}

std::vector<std::string> placeholdersOf(std::string_view text) {
    std::vector<std::string> names;
    for (auto open = text.find('{'); open != std::string_view::npos;
         open = text.find('{', open + 1)) {
        const auto close = text.find('}', open);
        if (close == std::string_view::npos) {
            break;
        }
        names.emplace_back(text.substr(open + 1, close - open - 1));
    }
    return names;
}
