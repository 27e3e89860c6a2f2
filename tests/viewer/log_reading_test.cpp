// Reading the files LOG SAVE writes, pairing them, and the messages for
// files that are not such files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <filesystem>

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

TEST(LogReadingTest, GoldenPair_ReadsNamesValuesAndLaps) {
    const ReadResult<LogSession> loaded =
        loadSession({kGolden + "normal_log.csv", kGolden + "normal_lap.csv"});
    const LogSession& session = ok(loaded);
    ASSERT_EQ(session.log.size(), 46u);
    const float first[] = {-60, -120, 2000, 7.42f, 25, 30};  // ST to TEMP2
    for (std::size_t c = 0; c < kChannelCount; ++c) {
        EXPECT_FLOAT_EQ(session.log.values[c][0], first[c]);
    }
    EXPECT_TRUE(std::isnan(session.log.channel(Channel::Temp1)[9]));  // "-" is no value, not 0
    EXPECT_EQ(std::tuple(session.laps->totalCs, session.laps->bestCs, session.laps->averageCs),
              std::tuple(4100, 2000, 2050));
    // Lap 1 is the samples from 2 s to 21 s, lap 2 from 22 s to 42 s; the
    // logger's count after the last lap is no lap.
    ASSERT_EQ(session.spans.size(), 2u);
    EXPECT_EQ(session.spans[0].first, 2u);
    EXPECT_EQ(session.spans[1].end, 43u);
    // The golden lap file was saved from a different log name: said, not
    // hidden. Both names in UTF-8: the lap file's byte A5 is ･, the log's
    // 83 4A 81 5B is カー.
    EXPECT_EQ(session.warnings,
              std::vector<std::string>{"The lap file is of D03 SUZ\xEF\xBD\xA5UKA, the log of "
                                       "D03 \xE3\x82\xAB\xE3\x83\xBC"
                                       "A."});
}

// The original program's recording times go wrong after 99:59.99: it reads
// two-digit minutes, so "100:00.00" is followed by "10:01.00". Ours count on.
// Both give the samples' true times.
TEST(LogReadingTest, LogsOverHundredMinutes_KeepTheirTimes) {
    for (const char* after : {"'100:01.00,", "'10:01.00,"}) {
        const std::string sample = "1,2,3,4.00,5,6,-\r\n";
        const ReadResult<LogFile> read = parseLogFile(
            "long.csv", kHeader + "'99:59.00," + sample + "'100:00.00," + sample + after + sample);
        EXPECT_EQ(ok(read).timesCs, (std::vector<std::int32_t>{599900, 600000, 600100})) << after;
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

    // Without the names' help: the lap file whose LOG NAME line is the log's
    // (after a byte-order mark), and for a lap file alone its log the same way.
    std::string sameName = lap;
    sameName.replace(0, sameName.find('\r'), "LOG NAME,D03,\x83J\x81[A");
    const std::string session = WriteFileBytes("pairs/session.csv", log);
    WriteFileBytes("pairs/other.csv", lap);
    const std::string laps = WriteFileBytes("pairs/laps.csv", "\xEF\xBB\xBF" + sameName);
    EXPECT_EQ(pairFiles({session}).lap, laps);
    EXPECT_EQ(pairFiles({laps}).log, session);

    // A pipe among the files is passed over, not waited on (CTest's time limit
    // ends a wait).
    ASSERT_EQ(mkfifo(TempPath("pairs/pipe.csv").c_str(), 0600), 0);
    EXPECT_EQ(pairFiles({laps}).log, session);
}

// Files from anywhere: what opens says what was not read (samples > 0 and a
// note), what does not open says which file, which line and column, and what.
TEST(LogReadingTest, FilesOpenWithTheirNotesOrAreRefusedWithWhere) {
    const std::string sample = "'00:00.00,1,2,3,4.00,5,6,-\r\n";
    const std::string lapStart =
        "LOG NAME,D01,TEST\r\nTOTAL,'00:41.00\r\nBEST LAP,'00:20.00\r\n"
        "AVERAGE LAP,'00:20.50\r\n\r\nLAP,LAP TIME\r\n1,'00:20.00\r\n";
    const struct {
        std::string bytes;
        std::size_t samples;  // or laps; 0: refused
        const char* where;    // after the quoted path
        std::string what;
    } cases[] = {
        {"\xEF\xBB\xBF" + kHeader + sample, 1, "", ""},
        {kHeader + sample + "'00:01.00,1,2", 1, ", line 5, the last, is left out", "has 3."},
        {lapStart + "2,'00:2", 1, ", line 8, the last, is left out", "lap 2 should read"},
        {kHeader.substr(0, kHeader.size() - 2) + ",GPS,NOTE\r\n'00:00.00,1,2,3,4.00,5,6,-,N,x", 1,
         ", line 3: columns after LAP", "\"GPS,NOTE\""},
        {kHeader + "'00:00.00,-,-,-,-,-,-,-\r\n", 1, " holds no values", ""},
        {kHeader + sample + "'00:01.00,1,2\r\n" + sample, 0, ", line 5: ", "this line has 3."},
        {kHeader + "'00:00.10,1,2,3," + std::string(60, '9') + ",5,6,-\r\n" + sample, 0,
         ", line 4, column 5: ", "VOLT(V) \"" + std::string(60, '9') + "\" is not"},
        {kHeader + "'0x:00.00,1,2,3,4.00,5,6,-\r\n", 0, ", line 4, column 1: ", "not a time"},
        {"LOG NAME,D01,TEST\r\nSAMPLING INTERVAL(sec),1.00\r\nREC TIME,ST(%),TH(%),RPM,VOLT(V),"
         "TEMP1(C)",
         0, ", line 3, column 6: ", "should be TEMP1(\xE2\x84\x83), it is \"TEMP1(C)\"."},
        {"LOG NAME,D01,TEST\r\nSAMPLING INTERVAL(sec),0.00\r\n", 0,
         ", line 2: ", "sampling interval"},
        {"LOG NAME,D01," + std::string(21, 'N') + "\r\n", 0, ", line 1: ", "this one is 25 bytes"},
        {kHeader, 0, ", line 4: ", "no samples"},
        {"", 0, ": ", "the file is empty"},
        {"\r\n\n\r\n", 0, ": ", "nothing but empty lines"},
        {",,,,,,,,", 0, ", line 1: ", "begins with \"LOG NAME,\""},
        {lapStart + "3,'00:21.00\r\n2,'00:21.00\r\n", 0, ", line 8: ", "lap 2 should read"},
    };
    const std::string lapsLog = WriteFileBytes("cases_log.csv", kHeader + sample);
    for (const auto& c : cases) {
        const std::string path = WriteFileBytes("cases.csv", c.bytes);
        const bool lap = c.bytes.starts_with(lapStart);
        const auto read = loadSession(lap ? FilePair{lapsLog, path} : FilePair{path, {}});
        const auto* s = std::get_if<LogSession>(&read);
        const std::string said =
            !s ? std::get<ReadError>(read).message() : (s->warnings.empty() ? "" : s->warnings[0]);
        EXPECT_EQ(!s ? 0 : lap ? s->laps->lapsCs.size() : s->log.size(), c.samples) << said;
        EXPECT_EQ(said.rfind("\"" + path + "\"" + c.where, 0), *c.where ? 0u : std::string::npos)
            << said;
        EXPECT_NE(said.find(c.what), std::string::npos) << said;
    }
    const ReadError missing = std::get<ReadError>(readLogFile(TempPath("missing.csv")));
    EXPECT_NE(missing.message().find("cannot be read (No such file"), std::string::npos);
}

}  // namespace
