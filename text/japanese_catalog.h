#pragma once

#include <string_view>

// res/po/ja.po as it stood when the program was built.
extern const std::string_view kJapaneseCatalog;
