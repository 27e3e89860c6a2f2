// Conversions between the system's code page 932 texts and UTF-8.
#include <gtest/gtest.h>

#include "app/cp932.h"
#include "app/texts.h"

namespace {

constexpr char kIdeographicSpaceUtf8[] = "\xE3\x80\x80";  // U+3000
constexpr char kArrowUtf8[] = "\xE2\x86\x92";             // U+2192
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";       // U+FFFD

TEST(Cp932Test, SystemTextsConvertBothWays) {
    const std::string button = cp932ToUtf8(txt::kBtnLogSave);
    EXPECT_EQ(button.rfind(std::string(kIdeographicSpaceUtf8) + kIdeographicSpaceUtf8, 0), 0u);
    EXPECT_NE(button.find(std::string("KTR-90 ") + kArrowUtf8 + " PC"), std::string::npos);
    EXPECT_EQ(utf8ToCp932(button), txt::kBtnLogSave);

    EXPECT_EQ(cp932ToUtf8(txt::kNotConnected), "Not connected.");
    EXPECT_EQ(cp932ToUtf8("\x81\x8E"), "\xE2\x84\x83");  // degree Celsius sign
    EXPECT_EQ(cp932ToUtf8("C:\\log\\a~b.csv"), "C:\\log\\a~b.csv") << "0x5C is no yen sign";
}

TEST(Cp932Test, BytesThatDoNotConvertAreReplacedAndTheRestKept) {
    // A lead byte at the end, and a lead byte with a trail byte out of range.
    EXPECT_EQ(cp932ToUtf8("ok\x81"), std::string("ok") + kReplacementUtf8);
    EXPECT_EQ(cp932ToUtf8("a\x81\x20z"), std::string("a") + kReplacementUtf8 + " z");
    EXPECT_EQ(cp932ToUtf8("\xA0\x81\x40"), std::string(kReplacementUtf8) + kIdeographicSpaceUtf8);

    EXPECT_EQ(utf8ToCp932("a\xF0\x9F\x98\x80z"), "a?z");  // U+1F600 has no code page 932 form
    EXPECT_EQ(utf8ToCp932("a\xFFz\xE2\x86"), "a?z?");     // not UTF-8; cut-off sequence
    EXPECT_EQ(utf8ToCp932("a\xE2\x86z"), "a?z");
}

TEST(Cp932Test, MixedTextsKeepUtf8PathsAndDecodeTheSystemsBytes) {
    const std::string lapPath = "/home/\xE5\xA4\xAA\xE9\x83\x8E/\xC3\xA9t\xC3\xA9_lap.csv";
    const std::string logPath = "/tmp/_log.csv";
    EXPECT_EQ(mixedTextToUtf8(lapPath + txt::kArrowSeparator + logPath),
              lapPath + " " + kArrowUtf8 + " " + logPath);

    EXPECT_EQ(mixedTextToUtf8(txt::kBtnUpdate), cp932ToUtf8(txt::kBtnUpdate));
    EXPECT_EQ(mixedTextToUtf8(txt::kUpdateComplete), "Update complete!!\r\nReboot the KTR-90.");
    // Lone bytes that are no UTF-8: half-width katakana and a broken sequence.
    EXPECT_EQ(mixedTextToUtf8("\xB1\xE2"), "\xEF\xBD\xB1" + std::string(kReplacementUtf8));
    // Overlong forms and surrogates are no UTF-8: they must not pass through raw.
    for (const std::string notUtf8 : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80"}) {
        EXPECT_EQ(mixedTextToUtf8(notUtf8).find(notUtf8), std::string::npos);
    }
}

}  // namespace
