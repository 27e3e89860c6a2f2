#include <filesystem>
#include <optional>

#include "device/file_access.h"

namespace {
// The path made absolute and resolved as far as it exists; nothing when it
// cannot be resolved (an unreadable folder, a link that loops).
std::optional<std::filesystem::path> Resolved(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(FilePath(path), error);
    if (error) {
        return std::nullopt;
    }
    std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
    if (error) {
        return std::nullopt;
    }
    return resolved;
}
}  // namespace

// A path that cannot be resolved is never the same file: opening it then says
// what is wrong with it.
bool IsSamePath(const std::string& first, const std::string& second) {
    const std::optional<std::filesystem::path> a = Resolved(first);
    const std::optional<std::filesystem::path> b = Resolved(second);
    if (!a || !b) {
        return false;
    }
    std::error_code ignored;
    return *a == *b || std::filesystem::equivalent(*a, *b, ignored);
}
