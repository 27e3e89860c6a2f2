#pragma once

#include <charconv>
#include <cstdint>
#include <string_view>

// The number in the digits text begins with, in base 10 or 16 (either case),
// and how many digits it took; {0, 0} when text begins with no digit or the
// number does not fit. Header-only, so that the simulated logger reads its
// escapes with the same rule without linking the program's layers.
struct LeadingDigits {
    std::uint64_t value = 0;
    std::size_t count = 0;
};

inline LeadingDigits ReadLeadingDigits(std::string_view text, int base) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc{}) {
        return {};
    }
    return {value, static_cast<std::size_t>(end - text.data())};
}
