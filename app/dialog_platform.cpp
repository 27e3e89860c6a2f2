#include "app/dialog_platform.h"

#include <algorithm>

std::size_t sortedInsertPosition(const std::vector<std::string>& items, const std::string& text) {
    return static_cast<std::size_t>(std::upper_bound(items.begin(), items.end(), text) -
                                    items.begin());
}
