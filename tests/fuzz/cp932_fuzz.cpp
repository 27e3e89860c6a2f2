// The code page 932 conversions: nothing fails, and valid text survives the
// round trip.
#include <string>

#include "tests/fuzz/require.h"
#include "text/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = cp932ToUtf8(bytes);
    // Text that converted without a replacement character comes back the same.
    if (utf8.find("\xEF\xBF\xBD") == std::string::npos) {
        Require(cp932ToUtf8(utf8ToCp932(utf8)) == utf8, "round trip of valid code page 932 text");
    }
    (void)utf8ToCp932(bytes);
    (void)mixedTextToUtf8(bytes);
    return 0;
}
