// The simulated logger's dialogues, seen from the program's end of the line.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <regex>

#include "sim/simulated_logger.h"
#include "tests/support/sim_client.h"
#include "tests/support/temp_files.h"

namespace {

using ktr90::Scenario;
using ktr90::SimulatedLogger;

// The payloads of the set's records, read with DRED until the set ends in OK01.
std::vector<std::string> readSet(SimClient& client) {
    std::vector<std::string> payloads;
    std::string reply = client.exchange("DRED");
    for (; reply.starts_with("OK00,") && payloads.size() < 100'000;
         reply = client.exchange("DRED")) {
        payloads.push_back(reply.substr(5, reply.size() - 7));
    }
    EXPECT_EQ(reply, "OK01\r\n");
    return payloads;
}

unsigned hexAt(const std::string& text, std::size_t field) {
    return static_cast<unsigned>(std::stoul(text.substr(field * 5, 4), nullptr, 16));
}

unsigned hundredths(const std::string& time) {
    return hexAt(time, 0) * 6000 + hexAt(time, 1) * 100 + hexAt(time, 2);
}

TEST(SimDownload, WholeLog_RecordsAreWellFormedAndLapRecord5CountsTheSamplesSent) {
    SimulatedLogger logger(ktr90::generatedSession(25));
    SimClient client(logger.portPath());
    ASSERT_EQ(client.exchange("DSTA,1"), "OK00\r\n");
    const std::vector<std::string> laps = readSet(client);
    ASSERT_EQ(client.exchange("DCHG"), "OK00\r\n");
    const std::vector<std::string> samples = readSet(client);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(client.exchange("DEND"), "OK00\r\n");
    }

    const std::string hex = "[0-9A-F]{4}", time = hex + "," + hex + "," + hex;
    ASSERT_GE(laps.size(), 6u);
    ASSERT_GE(samples.size(), 3u);
    EXPECT_TRUE(std::regex_match(laps[0], std::regex(hex + ",SUZUKA 2026"))) << laps[0];
    for (std::size_t i = 1; i < laps.size(); ++i) {
        EXPECT_TRUE(std::regex_match(laps[i], std::regex(i == 4 ? time + "," + hex : time)))
            << "lap record " << i + 1 << ": " << laps[i];
    }
    EXPECT_EQ(hexAt(laps[4], 3), samples.size() - 2) << "sample count in lap record 5";
    std::vector<unsigned> lapTimes;
    std::transform(laps.begin() + 5, laps.end(), std::back_inserter(lapTimes), hundredths);
    EXPECT_EQ(hundredths(laps[1]), std::accumulate(lapTimes.begin(), lapTimes.end(), 0u));
    EXPECT_EQ(hundredths(laps[2]), *std::min_element(lapTimes.begin(), lapTimes.end()));
    EXPECT_EQ(samples[0], laps[0]);
    EXPECT_EQ(samples[1], "000A") << "sampled every 0.10 s";
    const std::regex sample("(" + hex + ",){5}" + hex);
    for (std::size_t i = 2; i < samples.size(); ++i) {
        ASSERT_TRUE(std::regex_match(samples[i], sample)) << samples[i];
    }
}

// What the logger received also goes to the image file, and each update
// starts a new image.
TEST(SimUpdate, WritesTheLinesSentToTheImageFile) {
    ktr90::LoggerOptions options;
    options.imageOutPath = TempPath("sim_image.dat");
    std::remove(options.imageOutPath.c_str());
    SimulatedLogger logger(Scenario{}, options);
    SimClient client(logger.portPath());

    for (const char* command : {"SUPM", "SUPW", "SUPC", "SUPS", "SUPV"}) {
        client.exchange(command);
    }
    const std::vector<std::string> lines{":10000000AABB", "S1,\"quoted\",x", "\x82\xA0 bytes", ""};
    for (const std::string& line : lines) {
        EXPECT_EQ(client.exchange("SUPD," + line), "OK00\r\n");
    }
    EXPECT_EQ(client.exchange("SUPE"), "OK00\r\n");
    EXPECT_EQ(ReadFileBytes(options.imageOutPath),
              ":10000000AABB\r\nS1,\"quoted\",x\r\n\x82\xA0 bytes\r\n\r\n");
    EXPECT_EQ(client.exchange("SUPM"), "OK00\r\n");
    EXPECT_TRUE(logger.receivedImage().empty()) << "a new update starts a new image";
}

}  // namespace
