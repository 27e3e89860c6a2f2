#include <filesystem>

#include "device/file_access.h"

bool IsSamePath(const std::string& first, const std::string& second) {
    std::error_code ignored;
    const std::filesystem::path a = FilePath(first);
    const std::filesystem::path b = FilePath(second);
    return std::filesystem::weakly_canonical(a, ignored) ==
               std::filesystem::weakly_canonical(b, ignored) ||
           std::filesystem::equivalent(a, b, ignored);
}
