// datadock plot: images of the expected size without a display, and the
// command line's exit statuses.
#include <gtest/gtest.h>

#include <QImage>
#include <QSvgRenderer>

#include "tests/support/process_runner.h"
#include "tests/support/temp_files.h"

namespace {

const std::string kGoldenLog = std::string(DATADOCK_TEST_DATA_DIR) + "/golden/normal_log.csv";
const std::string kGoldenLap = std::string(DATADOCK_TEST_DATA_DIR) + "/golden/normal_lap.csv";

// As from a script on a server: no display at all.
ProcessResult plot(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {BuildTreeProgram("cli/datadock"), "plot"});
    return RunProcess(arguments, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="});
}

TEST(PlotCommandTest, WritesPngAndSvgOfTheAskedSize) {
    const std::string png = TempPath("plot.png");
    const std::string svg = TempPath("plot.SVG");
    std::remove(png.c_str());
    std::remove(svg.c_str());

    const ProcessResult asPng = plot({kGoldenLog, "--out", png, "--size", "900x600"});
    ASSERT_EQ(asPng.exitStatus, 0) << asPng.err;
    EXPECT_NE(asPng.err.find("lap file: " + kGoldenLap), std::string::npos);  // beside the log
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), QSize(900, 600));

    const ProcessResult asSvg = plot({kGoldenLog, "--lap", kGoldenLap, "--out", svg, "--channels",
                                      "RPM,volt", "--lap-range", "1-2"});
    ASSERT_EQ(asSvg.exitStatus, 0) << asSvg.err;
    EXPECT_EQ(QSvgRenderer(QString::fromStdString(svg)).viewBox(), QRect(0, 0, 1600, 1000));
}

// The log's name stays text in the SVG, which stays well-formed.
TEST(PlotCommandTest, SvgHoldsTheLogNameAsText) {
    const std::string log = ReadFileBytes(kGoldenLog), svg = TempPath("named.svg");
    const std::pair<std::string, std::string> names[] = {
        {"R&D <TEST>", "D01 R&amp;D &lt;TEST&gt;"},
        {"</title><script>1", "D01 &lt;/title&gt;&lt;script&gt;1"},
        {"A\x1B\x07", "D01 A\\x1B\\x07"}};  // XML holds no control character
    for (const auto& [name, title] : names) {
        WriteFileBytes("n_log.csv", "LOG NAME,D01," + name + log.substr(log.find('\r')));
        ASSERT_EQ(plot({TempPath("n_log.csv"), "--out", svg}).exitStatus, 0);
        EXPECT_TRUE(QSvgRenderer(QString::fromStdString(svg)).isValid()) << name;
        EXPECT_NE(ReadFileBytes(svg).find("<title>" + title + "</title>"), std::string::npos);
    }
}

TEST(PlotCommandTest, BadUsageIs64_UnreadableFileIs1_AndNoImageIsLeft) {
    const std::string out = TempPath("never.png");
    std::remove(out.c_str());
    for (const std::vector<std::string>& usage :
         {std::vector<std::string>{kGoldenLog},
          {kGoldenLog, "--out", TempPath("x.jpg")},
          {kGoldenLog, "--out", out, "--channels", "rpm,speed"},
          {kGoldenLog, "--out", out, "--lap-range", "2-1"},
          {kGoldenLog, "--out", out, "--lap-range", "3-4"},
          {kGoldenLog, kGoldenLap, "--out", out}}) {
        const ProcessResult result = plot(usage);
        EXPECT_EQ(result.exitStatus, 64) << result.err;
    }
    const std::string broken =
        WriteFileBytes("broken_log.csv", "LOG NAME,D01,X\r\nSAMPLING INTERVAL(sec),1.00\r\n");
    for (const std::string& unreadable : {TempPath("absent.csv"), broken}) {
        const ProcessResult result = plot({unreadable, "--out", out});
        EXPECT_EQ(result.exitStatus, 1);
        const std::string named = unreadable + (unreadable == broken ? "\", line 3" : "");
        EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
    }
    EXPECT_FALSE(FileExists(out));
}

}  // namespace
