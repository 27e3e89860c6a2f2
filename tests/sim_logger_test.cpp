// The simulated logger's dialogues, seen from the program's end of the line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <regex>
#include <sstream>

#include "sim/simulated_logger.h"
#include "tests/support/sim_client.h"

namespace {

using ktr90::record;
using ktr90::Scenario;
using ktr90::SimulatedLogger;

struct DataSet {
    std::vector<std::string> payloads;  // what followed "OK00," in each record
    std::string ending;                 // the first reply that was not a record
};

DataSet readSet(SimClient& client) {
    DataSet set;
    for (int guard = 0; guard < 100'000; ++guard) {
        const std::string reply = client.exchange("DRED");
        if (!reply.starts_with("OK00,") || !reply.ends_with("\r\n")) {
            set.ending = reply;
            break;
        }
        set.payloads.push_back(reply.substr(5, reply.size() - 7));
    }
    return set;
}

const std::string kHex = "[0-9A-F]{4}";
const std::string kTime = kHex + "," + kHex + "," + kHex;
const std::regex kSampleRecord("(" + kHex + ",){5}" + kHex);

bool matches(const std::string& text, const std::string& pattern) {
    return std::regex_match(text, std::regex(pattern));
}

unsigned hexAt(const std::string& text, std::size_t field) {
    return static_cast<unsigned>(std::stoul(text.substr(field * 5, 4), nullptr, 16));
}

unsigned hundredthsOf(const std::string& timeGroup) {
    return hexAt(timeGroup, 0) * 6000 + hexAt(timeGroup, 1) * 100 + hexAt(timeGroup, 2);
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class SimTempDir {
public:
    SimTempDir()
        : m_path(std::filesystem::temp_directory_path() /
                 ("sim_logger_test_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~SimTempDir() { std::filesystem::remove_all(m_path); }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void expectLapRecordsConsistent(const std::vector<std::string>& laps, std::size_t samplesSent) {
    ASSERT_GE(laps.size(), 6u);
    EXPECT_TRUE(matches(laps[0], kHex + ",SUZUKA 2026")) << laps[0];
    for (std::size_t i = 1; i < laps.size(); ++i) {
        const std::string pattern = i == 4 ? kTime + "," + kHex : kTime;
        EXPECT_TRUE(matches(laps[i], pattern)) << "lap record " << i + 1 << ": " << laps[i];
    }
    EXPECT_EQ(hexAt(laps[4], 3), samplesSent) << "sample count in lap record 5";

    std::vector<unsigned> lapTimes;
    std::transform(laps.begin() + 5, laps.end(), std::back_inserter(lapTimes), hundredthsOf);
    const unsigned total = std::accumulate(lapTimes.begin(), lapTimes.end(), 0u);
    EXPECT_EQ(hundredthsOf(laps[1]), total);
    EXPECT_EQ(hundredthsOf(laps[2]), *std::min_element(lapTimes.begin(), lapTimes.end()));
    EXPECT_NEAR(hundredthsOf(laps[3]), total / lapTimes.size(), 1.0);
    for (const unsigned lap : lapTimes) {
        EXPECT_TRUE(lap > 1500 && lap < 3000) << "laps take about 20 s, not " << lap;
    }
}

void expectSampleRecordsWellFormed(const std::vector<std::string>& samples,
                                   const std::string& header) {
    ASSERT_GE(samples.size(), 3u);
    EXPECT_EQ(samples[0], header);
    EXPECT_EQ(samples[1], "000A") << "sampled every 0.10 s";
    bool sensorMissing = false;
    for (std::size_t i = 2; i < samples.size(); ++i) {
        ASSERT_TRUE(std::regex_match(samples[i], kSampleRecord)) << samples[i];
        EXPECT_LE(hexAt(samples[i], 0), 240u);
        EXPECT_LE(hexAt(samples[i], 1), 240u);
        sensorMissing = sensorMissing || hexAt(samples[i], 5) == 255;
    }
    EXPECT_TRUE(sensorMissing) << "a sensor drops out now and then";
    EXPECT_GT(hexAt(samples[2], 3), hexAt(samples.back(), 3)) << "the battery sags";
    EXPECT_LT(hexAt(samples[2], 4), hexAt(samples.back(), 4)) << "the motor warms up";
}

TEST(SimDownload, WholeLogDownload_GivesConsistentLapsAndAsManySamplesAsAnnounced) {
    SimulatedLogger logger(ktr90::generatedSession(25));  // a short session: 3 laps
    SimClient client(logger.portPath());

    ASSERT_EQ(client.exchange("DSTA,1"), "OK00\r\n");
    const DataSet laps = readSet(client);
    EXPECT_EQ(laps.ending, "OK01\r\n");
    EXPECT_EQ(client.exchange("DRED"), "OK01\r\n") << "the end of the set stays the end";
    ASSERT_EQ(client.exchange("DCHG"), "OK00\r\n");
    const DataSet samples = readSet(client);
    EXPECT_EQ(samples.ending, "OK01\r\n");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(client.exchange("DEND"), "OK00\r\n");
    }

    ASSERT_GE(samples.payloads.size(), 2u);
    expectLapRecordsConsistent(laps.payloads, samples.payloads.size() - 2);
    expectSampleRecordsWellFormed(samples.payloads, laps.payloads[0]);

    const std::vector<std::string> commands = logger.receivedCommands();
    EXPECT_EQ(commands.size(),
              1 + (laps.payloads.size() + 2) + 1 + (samples.payloads.size() + 1) + 3);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "DEND"), 3);
}

TEST(SimDownload, ModelDownload_SendsOneRecordPerValueThenEnds) {
    Scenario scenario;
    scenario.modelReplies = ktr90::modelRecords({300, 12, 0xFFFF});
    SimulatedLogger logger(scenario);
    SimClient client(logger.portPath());

    EXPECT_EQ(client.exchange("DSTA,0"), "OK00\r\n");
    EXPECT_EQ(client.exchange("DRED"), "OK00,012C\r\n");
    EXPECT_EQ(client.exchange("DRED"), "OK00,000C\r\n");
    EXPECT_EQ(client.exchange("DRED"), "OK00,FFFF\r\n");
    EXPECT_EQ(client.exchange("DRED"), "OK01\r\n");
    EXPECT_EQ(client.exchange("DEND"), "OK00\r\n");
    EXPECT_EQ(client.exchange("DSTA,0"), "OK00\r\n");
    EXPECT_EQ(client.exchange("DRED"), "OK00,012C\r\n") << "a new download starts over";
}

TEST(SimDownload, EmptySetsSayNoData_AndLiteralRepliesGoOutByteForByte) {
    Scenario scenario;
    scenario.lapReplies = {"K00,0003,SUZUKA\r\n", "OK00,00ff,001a\r\n",
                           "OK00,0003,\"A,B\" \x82\xA0 a name well over twenty bytes\r\n",
                           "OK00,0001"};
    SimulatedLogger logger(scenario);
    SimClient client(logger.portPath());

    ASSERT_EQ(client.exchange("DSTA,1"), "OK00\r\n");
    for (const std::string& reply : scenario.lapReplies) {
        client.send("DRED\r\n");
        EXPECT_EQ(client.readBytes(reply.size()), reply);
    }
    EXPECT_EQ(client.exchange("DCHG"), "OK00\r\n");
    EXPECT_EQ(client.exchange("DRED"), "OK02\r\n") << "the logger holds no samples";
    EXPECT_EQ(client.exchange("DSTA,0"), "OK00\r\n");
    EXPECT_EQ(client.exchange("DRED"), "OK02\r\n") << "nor model data";
}

TEST(SimUpdate, StoresEachLineVerbatim_AndWritesImageAndTranscriptFiles) {
    SimTempDir dir;
    Scenario scenario;
    scenario.versionText = "2.10";
    const std::vector<std::string> lines{":10000000AABB", "S1,\"quoted\",x", "\x82\xA0 bytes", ""};
    ktr90::LoggerOptions options;
    options.transcriptPath = dir.file("transcript.txt");
    options.imageOutPath = dir.file("image.dat");
    {
        SimulatedLogger logger(scenario, options);
        SimClient client(logger.portPath());
        for (const char* command : {"SUPM", "SUPW", "SUPC"}) {
            EXPECT_EQ(client.exchange(command), "OK00\r\n") << command;
        }
        EXPECT_EQ(client.exchange("SUPV"), "OK00,2.10\r\n");
        EXPECT_EQ(client.exchange("SUPS"), "OK00\r\n");
        for (const std::string& line : lines) {
            EXPECT_EQ(client.exchange("SUPD," + line), "OK00\r\n");
        }
        EXPECT_EQ(client.exchange("SUPE"), "OK00\r\n");
        EXPECT_EQ(logger.receivedImage(), lines);
        EXPECT_EQ(fileText(dir.file("image.dat")),
                  ":10000000AABB\r\nS1,\"quoted\",x\r\n\x82\xA0 bytes\r\n\r\n");

        EXPECT_EQ(client.exchange("SUPM"), "OK00\r\n");
        EXPECT_TRUE(logger.receivedImage().empty()) << "a new update starts a new image";
    }
    const std::string transcript = fileText(dir.file("transcript.txt"));
    EXPECT_NE(transcript.find(" recv SUPD,\\x82\\xA0 bytes\\r\\n\n"), std::string::npos);
    EXPECT_NE(transcript.find(" sent OK00,2.10\\r\\n\n"), std::string::npos);
}

TEST(SimLine, CommandsInPiecesOrTogether_UnknownAndOutOfPlaceOnesRefused) {
    Scenario scenario;
    scenario.lapReplies = {record("L1")};
    SimulatedLogger logger(scenario);
    SimClient client(logger.portPath());

    EXPECT_EQ(client.exchange("DRED"), "NG00\r\n") << "no download open";
    EXPECT_EQ(client.exchange("DCHG"), "NG00\r\n");
    EXPECT_EQ(client.exchange("HELLO"), "NG00\r\n");
    EXPECT_EQ(client.exchange("DSTA,7"), "NG00\r\n");
    for (const char* piece : {"DS", "TA,", "1\r", "\n"}) {
        client.send(piece);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(client.readLine(), "OK00\r\n");
    client.send("DRED\r\nDRED\r\n");
    EXPECT_EQ(client.readBytes(15), "OK00,L1\r\nOK01\r\n");
    client.send("SUPD," + std::string(70'000, 'A') + "\r\n");
    EXPECT_EQ(client.readLine(), "NG00\r\n") << "an over-long line is refused, not stored";
    EXPECT_TRUE(logger.receivedImage().empty());

    const std::vector<std::string> commands = logger.receivedCommands();
    ASSERT_EQ(commands.size(), 8u);
    EXPECT_EQ(commands[4], "DSTA,1");
}

TEST(SimLine, TranscriptIsTimedAndInOrder_AndWaitingForCommandsTimesOut) {
    SimulatedLogger logger(Scenario{});
    SimClient client(logger.portPath());
    EXPECT_FALSE(logger.waitForCommands(1, 30));
    client.send("DSTA,1\r\nDEND\r\n");
    ASSERT_TRUE(logger.waitForCommands(2, 1000));
    client.readBytes(12);

    const auto entries = logger.transcript();
    ASSERT_EQ(entries.size(), 4u);
    const std::vector<ktr90::Direction> directions{
        ktr90::Direction::Received, ktr90::Direction::Sent, ktr90::Direction::Received,
        ktr90::Direction::Sent};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].direction, directions[i]) << i;
        EXPECT_GE(entries[i].timeMs, i == 0 ? 0 : entries[i - 1].timeMs);
    }
    EXPECT_EQ(entries[0].bytes, "DSTA,1\r\n");
    EXPECT_EQ(logger.receivedCommands(), (std::vector<std::string>{"DSTA,1", "DEND"}));
}

TEST(SimLine, ServingOnce_EndsAfterTheThirdDendOrAfterSupe) {
    for (const auto& conversation : std::vector<std::vector<std::string>>{
             {"DSTA,1", "DEND", "DEND", "DEND"}, {"SUPM", "SUPD,x", "SUPE"}}) {
        ktr90::LoggerOptions once;
        once.once = true;
        SimulatedLogger logger(Scenario{}, once);
        SimClient client(logger.portPath());
        for (const std::string& command : conversation) {
            EXPECT_FALSE(logger.finished()) << "before " << command;
            EXPECT_EQ(client.exchange(command), "OK00\r\n");
        }
        EXPECT_TRUE(logger.waitUntilFinished(1000));
        EXPECT_EQ(logger.ending(), ktr90::Ending::ConversationOver);
    }
}

TEST(SimLine, PacedLine_TakesTheLatencyAndTheBytesTime) {
    Scenario scenario;
    scenario.lapReplies = {record(std::string(90, 'N'))};  // 97 bytes: about 101 ms at 9600
    ktr90::LoggerOptions options;
    options.pace = {9600, 20};
    SimulatedLogger logger(scenario, options);
    SimClient client(logger.portPath());
    client.exchange("DSTA,1");

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(client.exchange("DRED").size(), 97u);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(115));
}

TEST(SimLine, StopsAtOnce_EvenWhileAReplyIsHeldOrTheProgramStopsReading) {
    for (const char* fault : {"AnswerLate:delay=10000", "Babble:count=1000000"}) {
        Scenario scenario;
        scenario.faults = {ktr90::parseFault(fault)};
        auto logger = std::make_unique<SimulatedLogger>(scenario);
        SimClient client(logger->portPath());
        client.send("DSTA,1\r\n");
        ASSERT_TRUE(logger->waitForCommands(1, 1000));

        const auto start = std::chrono::steady_clock::now();
        logger.reset();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500))
            << fault;
    }
}

TEST(SimLine, ExclusiveUseEndsWhenTheLineGoesQuiet_SoTheProgramCanOpenAgain) {
    SimulatedLogger logger(Scenario{});
    {
        SimClient client(logger.portPath());
        const int fd = ::open(logger.portPath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        ::ioctl(fd, TIOCEXCL);
        ::close(fd);
        client.exchange("DSTA,1");
    }
    int exclusive = 1;
    for (int tries = 0; tries < 50 && exclusive; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const int fd = ::open(logger.portPath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (fd >= 0) {
            ::ioctl(fd, TIOCGEXCL, &exclusive);
            ::close(fd);
        }
    }
    EXPECT_EQ(exclusive, 0);
}

}  // namespace
