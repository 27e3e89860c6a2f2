#include "device/log_records.h"

#include <gtest/gtest.h>

#include "device/hex_field.h"
#include "tests/support/dlg_harness.h"

namespace {

TEST(HexField, ReadsDigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(ParseHexField("001A"), 26);
    EXPECT_EQ(ParseHexField("00ff"), 255);
    EXPECT_EQ(ParseHexField("FFFF"), 65535);
    EXPECT_EQ(ParseHexField("000A\r\n"), 10);
    EXPECT_EQ(ParseHexField(""), 0);
    EXPECT_EQ(ParseHexField("-5"), 0);
    EXPECT_EQ(ParseHexField(",12"), 0);
    EXPECT_EQ(ParseHexField("FFFFFFFFFFFFFFFFFFFF"), INT32_MAX) << "saturates instead of wrapping";
}

TEST(DeviceTime, TimeGroupsBecomeMinutesSecondsHundredths) {
    std::string t = "0001,0017,002D\r\n";
    FormatDeviceTime(t);
    EXPECT_EQ(t, "01:23.45");
    t = "0064,0000,0001";
    FormatDeviceTime(t);
    EXPECT_EQ(t, "100:00.01");
}

TEST(DeviceTime, MillisecondsCountAllMinuteDigits) {
    EXPECT_EQ(TimeTextToMs("01:23.45"), 83450);
    EXPECT_EQ(TimeTextToMs("99:99:99"), 6039990);
    EXPECT_EQ(TimeTextToMs("123:04.05"), ((123 * 60 + 4) * 100 + 5) * 10);
}

TEST(DeviceTime, RecordingTimeAdvancesByTheInterval) {
    std::string t = "00:59.95";
    EXPECT_EQ(NextRecTime(t, 10), "01:00.05");
    t = "00:59.40";
    EXPECT_EQ(NextRecTime(t, 100), "01:00.40") << "one second; hundredths stay";
    t = "99:59.90";
    EXPECT_EQ(NextRecTime(t, 10), "100:00.00") << "minutes never wrap";
    EXPECT_EQ(NextRecTime(t, 10), "100:00.10");
    t = "00:00.00";
    EXPECT_EQ(NextRecTime(t, 250), "00:02.50");
}

TEST(SamplingInterval, IsWrittenInSecondsWithTwoDecimals) {
    EXPECT_EQ(FormatSamplingInterval("000A\r\n"), "0.10");
    EXPECT_EQ(FormatSamplingInterval("0005\r\n"), "0.05");
    EXPECT_EQ(FormatSamplingInterval("0064\r\n"), "1.00");
}

TEST(LogName, IsCleanedAndCutAtTwentyBytesWithoutSplittingACharacter) {
    EXPECT_EQ(LogNameLine("001A,SUZUKA\r\n"), "LOG NAME,D26,SUZUKA");
    EXPECT_EQ(CleanLogName("A\"B\xE3\x40\r\nrest"),
              "A\xA5"
              "B\xA5\x40");
    EXPECT_EQ(CleanLogName("a,b"), "a,b");
    EXPECT_EQ(CleanLogName("\x83\x4A\x81\x5B\r\n"), "\x83\x4A\x81\x5B");
    EXPECT_EQ(CleanLogName("ABCDEFGHIJKLMNOPQRSTUVWXYZ\r\n"), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(CleanLogName("ABCDEFGHIJKLMNOPQRS\x83\x4A\r\n"), "ABCDEFGHIJKLMNOPQRS")
        << "a two-byte character across the 20th byte is left out whole";
    EXPECT_EQ(LogNameLine("00"), "LOG NAME,D00,") << "a short record reads nothing past its end";
}

TEST(SampleFields, SplitAtCommasAndNeedTheLineEnd) {
    SampleFields f;
    ASSERT_EQ(ParseSampleFields("0078,0000,7FFF,04D2,00FF,00FE\r\n", f), 1);
    EXPECT_EQ(SteeringText(f), "0");
    EXPECT_EQ(ThrottleText(f), "-120");
    EXPECT_EQ(RpmText(f), "65534");
    EXPECT_EQ(VoltText(f), "12.34");
    EXPECT_EQ(Temp1Text(f), "-");
    EXPECT_EQ(Temp2Text(f), "254");
    EXPECT_EQ(ParseSampleFields("0078,0000,7FFF,04D2,00FF\r\n", f), 0);
    EXPECT_EQ(ParseSampleFields("0078,0000,7FFF,04D2,00FF,00FE", f), 0);
    ASSERT_EQ(ParseSampleFields("F0,1,2,3,4,5\r\n", f), 1) << "short fields end at their comma";
    EXPECT_EQ(SteeringText(f), "120");
}

TEST(SampleFields, VoltsKeepTwoDecimals) {
    SampleFields f;
    for (auto [field, text] : {std::pair{"0000", "0.00"},
                               {"0005", "0.05"},
                               {"002A", "0.42"},
                               {"0064", "1.00"},
                               {"03E7", "9.99"},
                               {"FFFF", "655.35"}}) {
        f.volt = field;
        EXPECT_EQ(VoltText(f), text) << field;
    }
}

TEST(LapColumn, NumbersTheLapsFromTheFirstLapsStart) {
    DlgHarness h;
    const std::vector<std::string> laps = {"00:20.00", "00:21.00"};
    h.dlg.m_nLapBoundaryMs = 2000;
    h.dlg.m_nLapIndex = 0;
    std::string shown;
    for (int second = 0; second <= 50; ++second) {
        char time[16];
        std::snprintf(time, sizeof time, "00:%02d.00", second);
        shown += h.dlg.LapColumnText(time, laps) + " ";
    }
    std::string expected = "- - ";
    for (int s = 2; s <= 21; ++s)
        expected += "000 ";
    for (int s = 22; s <= 42; ++s)
        expected += "001 ";
    for (int s = 43; s <= 50; ++s)
        expected += "002 ";
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(h.dlg.LapColumnText("00:51.00", {}), "-") << "no laps: no lap numbers";
}

TEST(LapColumn, StartAtZeroShowsTheFirstLapAtOnce) {
    DlgHarness h;
    h.dlg.m_nLapBoundaryMs = 0;
    EXPECT_EQ(h.dlg.LapColumnText("00:00.00", {"00:20.00"}), "000");
}

}  // namespace
