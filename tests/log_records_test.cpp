// The record formatting the golden files of LOG SAVE do not reach: saturating
// numbers, times past 99 minutes, short intervals, long or broken names.
#include "device/log_records.h"

#include <gtest/gtest.h>

#include "device/hex_field.h"
#include "device/lap_column.h"

namespace {

TEST(HexField, ReadsDigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(ParseHexField("00ff"), 255);
    EXPECT_EQ(ParseHexField("000A\r\n"), 10);
    EXPECT_EQ(ParseHexField(""), 0);
    EXPECT_EQ(ParseHexField("-5"), 0);
    EXPECT_EQ(ParseHexField("FFFFFFFFFFFFFFFFFFFF"), INT32_MAX) << "saturates instead of wrapping";
}

TEST(DeviceTime, MinutesNeverWrapAndShortIntervalsCarryIntoTheSeconds) {
    std::string t = "0064,0000,0001";
    FormatDeviceTime(t);
    EXPECT_EQ(t, "100:00.01");
    EXPECT_EQ(TimeTextToMs("123:04.05"), ((123 * 60 + 4) * 100 + 5) * 10);
    t = "00:59.95";
    EXPECT_EQ(NextRecTime(t, 10), "01:00.05");
    t = "99:59.90";
    EXPECT_EQ(NextRecTime(t, 10), "100:00.00");
    EXPECT_EQ(NextRecTime(t, 250), "100:02.50");
    EXPECT_EQ(FormatSamplingInterval("0005\r\n"), "0.05");
    EXPECT_EQ(FormatSamplingInterval("000A\r\n"), "0.10");
}

TEST(LogName, IsCleanedAndCutAtTwentyBytesWithoutSplittingACharacter) {
    EXPECT_EQ(LogNameLine("001A,SUZUKA\r\n"), "LOG NAME,D26,SUZUKA");
    EXPECT_EQ(CleanLogName("A\"B\xE3\x40\r\nrest"),
              "A\xA5"
              "B\xA5\x40");
    EXPECT_EQ(CleanLogName("a,b"), "a,b");
    EXPECT_EQ(CleanLogName("ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n"), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(CleanLogName("ABCDEFGHIJKLMNOPQRS\x83\x4A\r\n"), "ABCDEFGHIJKLMNOPQRS")
        << "a two-byte character across the 20th byte is left out whole";
    EXPECT_EQ(LogNameLine("00"), "LOG NAME,D00,") << "a short record reads nothing past its end";
    // A name cut inside a character: the lead byte stays a byte of its own.
    EXPECT_EQ(CleanLogName("AB\x83\r\n"), "AB\x83");
    EXPECT_EQ(CleanLogName("A\x83\"B\r\n"),
              "A\x83\xA5"
              "B");
}

TEST(SampleFields, NeedSixFieldsAndTheLineEnd_VoltsBelowOneKeepTwoDecimals) {
    SampleFields f;
    EXPECT_EQ(ParseSampleFields("0078,0000,7FFF,04D2,00FF\r\n", f), 0);
    EXPECT_EQ(ParseSampleFields("0078,0000,7FFF,04D2,00FF,00FE", f), 0);
    ASSERT_EQ(ParseSampleFields("F0,1,2,3,4,5\r\n", f), 1) << "short fields end at their comma";
    EXPECT_EQ(SteeringText(f), "120");
    for (auto [field, text] :
         {std::pair{"0000", "0.00"}, {"0005", "0.05"}, {"002A", "0.42"}, {"FFFF", "655.35"}}) {
        f.volt = field;
        EXPECT_EQ(VoltText(f), text) << field;
    }
}

TEST(LapColumn, StartAtZeroShowsTheFirstLapAtOnce) {
    LapColumn column;
    EXPECT_EQ(column.LapColumnText("00:00.00", {"00:20.00"}), "000");
    EXPECT_EQ(column.LapColumnText("00:51.00", {}), "-") << "no laps: no lap numbers";
}

}  // namespace
