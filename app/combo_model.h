#pragma once

#include <string>
#include <vector>

#include "app/dialog_platform.h"

// The entries and selection of a combo box that sorts its entries as text,
// for window systems that keep no such box of their own.
struct ComboModel {
    std::vector<std::string> items;
    int selection = -1;

    std::string SelectedText() const {
        return selection >= 0 && selection < static_cast<int>(items.size())
                   ? items[static_cast<std::size_t>(selection)]
                   : std::string();
    }
    void Reset() {
        items.clear();
        selection = -1;
    }
    void Add(const std::string& text) {
        items.insert(items.begin() + static_cast<long>(sortedInsertPosition(items, text)), text);
    }
};
