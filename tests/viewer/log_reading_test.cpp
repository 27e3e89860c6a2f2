// Reading the files LOG SAVE writes, pairing them, and the messages for
// files that are not such files.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "device/log_records.h"
#include "tests/support/temp_files.h"
#include "viewer/file_pairing.h"
#include "viewer/lap_file_reader.h"
#include "viewer/log_file_reader.h"

namespace {

const std::string kGolden = std::string(DATADOCK_TEST_DATA_DIR) + "/golden/";
const std::string kHeader =
    "LOG NAME,D01,TEST\r\nSAMPLING INTERVAL(sec),1.00\r\n"
    "REC TIME,ST(%),TH(%),RPM,VOLT(V),TEMP1(\x81\x8E),TEMP2(\x81\x8E),LAP\r\n";

template <typename T>
const T& ok(const ReadResult<T>& result) {
    if (const auto* error = std::get_if<ReadError>(&result)) {
        ADD_FAILURE() << error->message();
        static const T empty{};
        return empty;
    }
    return std::get<T>(result);
}

TEST(LogReadingTest, GoldenPair_ReadsNamesTimesGapsAndLaps) {
    const FilePair pair = pairFiles({kGolden + "normal_log.csv"});
    ASSERT_EQ(pair.lap, kGolden + "normal_lap.csv");
    const ReadResult<LogSession> loaded = loadSession(pair);
    const LogSession& session = ok(loaded);
    ASSERT_EQ(session.log.size(), 46u);

    EXPECT_EQ(session.log.title,
              "D03 \xE3\x82\xAB\xE3\x83\xBC"
              "A");                                            // カーA
    EXPECT_EQ(session.laps->title, "D03 SUZ\xEF\xBD\xA5UKA");  // the byte A5: ･
    EXPECT_EQ(session.log.timesCs[45], 4500);
    EXPECT_FLOAT_EQ(session.log.channel(Channel::Steering)[0], -60);
    EXPECT_FLOAT_EQ(session.log.channel(Channel::Volt)[0], 7.42f);
    EXPECT_TRUE(std::isnan(session.log.channel(Channel::Temp1)[9]));  // "-" is no value, not 0
    EXPECT_EQ(session.laps->lapsCs, (std::vector<int>{2000, 2100}));
    EXPECT_EQ(session.laps->totalCs, 4100);
    EXPECT_EQ(session.laps->averageCs, 2050);

    // Lap 1 is the samples from 2 s to 21 s, lap 2 from 22 s to 42 s; the
    // logger's count after the last lap is no lap.
    ASSERT_EQ(session.spans.size(), 2u);
    EXPECT_EQ(session.spans[0].first, 2u);
    EXPECT_EQ(session.spans[0].end, 22u);
    EXPECT_EQ(session.spans[1].startCs, 2200);
    EXPECT_EQ(session.spans[1].endCs, 4300);
    // The golden lap file was saved from a different log name: said, not hidden.
    ASSERT_EQ(session.warnings.size(), 1u);
    EXPECT_EQ(session.warnings[0].rfind("The lap file is of D03 SUZ", 0), 0u)
        << session.warnings[0];
}

// The original program's recording times go wrong after 99:59.99 (it reads
// two-digit minutes); ours count on. Both give the samples' true times.
TEST(LogReadingTest, LogsOverHundredMinutes_KeepTheirTimes) {
    constexpr int kSamples = 6100;
    std::string ours = kHeader;
    std::string original = kHeader;
    std::string time = "00:00.00";
    for (int i = 0; i < kSamples; ++i) {
        if (i > 0) {
            NextRecTime(time, 100);
        }
        ours += "'" + time + ",1,2,3,4.00,5,6,-\r\n";
        const int wrapped = i < 6000 ? i : 600 + (i - 6000);  // "10:00.00" on after "100:00.00"
        char text[16];
        std::snprintf(text, sizeof text, "%02d:%02d.00", wrapped / 60, wrapped % 60);
        original += "'" + std::string(i == 6000 ? "100:00.00" : text) + ",1,2,3,4.00,5,6,-\r\n";
    }
    for (const std::string& bytes : {ours, original}) {
        const ReadResult<LogFile> read = parseLogFile("long.csv", bytes);
        const LogFile& log = ok(read);
        ASSERT_EQ(log.size(), static_cast<std::size_t>(kSamples));
        EXPECT_EQ(log.timesCs[5999], 599900);
        EXPECT_EQ(log.timesCs[6000], 600000);
        EXPECT_EQ(log.timesCs[kSamples - 1], (kSamples - 1) * 100);
    }
}

TEST(LogReadingTest, PairsByNameEvenInJapanese_AndByLogNameLine) {
    std::filesystem::remove_all(TempPath("pairs"));
    std::filesystem::create_directories(TempPath("pairs"));
    const std::string lap = ReadFileBytes(kGolden + "normal_lap.csv");
    const std::string log = ReadFileBytes(kGolden + "normal_log.csv");
    const std::string japaneseLog =
        WriteFileBytes("pairs/\xE8\xB5\xB0\xE8\xA1\x8C_LOG.csv", log);  // 走行
    const std::string japaneseLap = WriteFileBytes("pairs/\xE8\xB5\xB0\xE8\xA1\x8C_LAP.csv", lap);
    EXPECT_EQ(pairFiles({japaneseLog}).lap, japaneseLap);

    // Without the names' help: the lap file whose LOG NAME line is the log's,
    // and for a lap file alone its log the same way.
    std::string sameName = lap;
    sameName.replace(0, sameName.find('\r'), "LOG NAME,D03,\x83J\x81[A");
    const std::string session = WriteFileBytes("pairs/session.csv", log);
    WriteFileBytes("pairs/other.csv", lap);
    const std::string laps = WriteFileBytes("pairs/laps.csv", sameName);
    EXPECT_EQ(pairFiles({session}).lap, laps);
    EXPECT_EQ(pairFiles({laps}).log, session);
}

struct BrokenFile {
    const char* name;
    std::string bytes;
    bool lapFile;
    const char* where;  // ", line N" or "" for the whole file
    const char* what;
};

TEST(LogReadingTest, BrokenFiles_SayWhichFileWhichLineAndWhat) {
    const std::string lapStart =
        "LOG NAME,D01,TEST\r\nTOTAL,'00:41.00\r\nBEST LAP,'00:20.00\r\n"
        "AVERAGE LAP,'00:20.50\r\n\r\nLAP,LAP TIME\r\n1,'00:20.00\r\n";
    const BrokenFile cases[] = {
        {"short.csv", kHeader + "'00:00.00,1,2,3,4.00,5,6,-\r\n'00:01.00,1,2\r\n", false,
         ", line 5", "this line has 3"},
        {"huge.csv",
         kHeader + "'00:00.00,1,2,3,4.00,5,6,-\r\n'00:00.10,1,2,3," + std::string(40, '9') +
             ",5,6,-\r\n",
         false, ", line 5", "VOLT(V) \"9999"},
        {"badtime.csv", kHeader + "'0x:00.00,1,2,3,4.00,5,6,-\r\n", false, ", line 4",
         "not a time"},
        {"interval.csv", "LOG NAME,D01,TEST\r\nSAMPLING INTERVAL(sec),0.00\r\n", false, ", line 2",
         "sampling interval"},
        {"nosamples.csv", kHeader, false, ", line 4", "no samples"},
        {"empty.csv", "", false, "", "the file is empty"},
        {"binary.csv", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), false, ", line 3",
         "binary data"},
        {"sheet.csv", "Name,Age\r\nBob,3\r\n", false, ", line 1", "begins with \"LOG NAME,\""},
        {"lapline.csv", lapStart + "3,'00:21.00\r\n", true, ", line 8", "lap 2 should read"},
    };
    for (const BrokenFile& c : cases) {
        const std::string path = WriteFileBytes(c.name, c.bytes);
        const ReadError error = c.lapFile ? std::get<ReadError>(readLapFile(path))
                                          : std::get<ReadError>(readLogFile(path));
        const std::string message = error.message();
        EXPECT_EQ(message.rfind("\"" + path + "\"" + c.where + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(c.what), std::string::npos) << message;
    }
    const ReadError missing = std::get<ReadError>(readLogFile(TempPath("missing.csv")));
    EXPECT_NE(missing.message().find("cannot be read (No such file"), std::string::npos);
}

}  // namespace
