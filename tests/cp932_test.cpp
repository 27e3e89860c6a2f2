// Conversions between the system's code page 932 texts and UTF-8, where they
// go wrong: bytes that do not convert, and texts that mix both. The window's
// tests show the system's own texts converted.
#include <gtest/gtest.h>

#include "app/texts.h"
#include "text/cp932.h"

namespace {

constexpr char kIdeographicSpaceUtf8[] = "\xE3\x80\x80";  // U+3000
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";       // U+FFFD

TEST(Cp932Test, BytesThatDoNotConvertAreReplacedAndTheRestKept) {
    EXPECT_EQ(cp932ToUtf8("C:\\log\\a~b.csv"), "C:\\log\\a~b.csv") << "0x5C is no yen sign";
    // A lead byte at the end, and a lead byte with a trail byte out of range.
    EXPECT_EQ(cp932ToUtf8("ok\x81"), std::string("ok") + kReplacementUtf8);
    EXPECT_EQ(cp932ToUtf8("a\x81\x20z"), std::string("a") + kReplacementUtf8 + " z");
    EXPECT_EQ(cp932ToUtf8("\xA0\x81\x40"), std::string(kReplacementUtf8) + kIdeographicSpaceUtf8);

    EXPECT_EQ(utf8ToCp932("a\xF0\x9F\x98\x80z"), "a?z");  // U+1F600 has no code page 932 form
    EXPECT_EQ(utf8ToCp932("a\xFFz\xE2\x86"), "a?z?");     // not UTF-8; cut-off sequence
    EXPECT_EQ(utf8ToCp932("a\xE2\x86z"), "a?z");
}

TEST(Cp932Test, MixedTextsKeepUtf8PathsAndDecodeTheSystemsBytes) {
    // Kanji in UTF-8 that would also pass for code page 932 pairs.
    const std::string lapPath = "/home/\xE5\xA4\xAA\xE9\x83\x8E/\xC3\xA9t\xC3\xA9_lap.csv";
    EXPECT_EQ(mixedTextToUtf8(lapPath + txt::kArrowSeparator + "/tmp/_log.csv"),
              lapPath + " \xE2\x86\x92 /tmp/_log.csv");
    // Half-width katakana and a broken sequence.
    EXPECT_EQ(mixedTextToUtf8("\xB1\xE2"), "\xEF\xBD\xB1" + std::string(kReplacementUtf8));
    // Overlong forms and surrogates are no UTF-8: they must not pass through raw.
    for (const std::string notUtf8 : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80"}) {
        EXPECT_EQ(mixedTextToUtf8(notUtf8).find(notUtf8), std::string::npos);
    }
}

}  // namespace
