// datadock plot: images of the expected size without a display, and the
// command line's exit statuses.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSvgRenderer>
#include <algorithm>
#include <cstdlib>

#include "tests/support/process_runner.h"
#include "tests/support/temp_files.h"
#include "text/translation.h"

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

// The share of pixels more than a faint shade apart: anti-aliasing may
// differ, the picture not. The title line is left out: the log's name is in
// katakana, drawn with whichever Japanese font the machine has, if any.
double differingShare(const QImage& drawn, const QImage& expected) {
    if (drawn.size() != expected.size()) {
        return 1;
    }
    constexpr int kTitleLine = 18;
    long differing = 0;
    for (int y = kTitleLine; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb a = drawn.pixel(x, y), b = expected.pixel(x, y);
            differing += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                   std::abs(qBlue(a) - qBlue(b))}) > 8;
        }
    }
    return static_cast<double>(differing) / (drawn.width() * drawn.height());
}

// The golden log's plot and two of its laps compared, as the viewer drew them
// with QPainter before it drew through its canvas and the Windows drawing
// came (tests/data/pictures).
TEST(PlotCommandTest, PicturesStayAsTheyWere) {
    const std::string pictures = std::string(DATADOCK_TEST_DATA_DIR) + "/pictures/";
    const std::string plotted = TempPath("golden_plot.png"), laps = TempPath("golden_laps.png");
    ASSERT_EQ(plot({kGoldenLog, "--out", plotted, "--size", "1200x800"}).exitStatus, 0);
    ASSERT_EQ(plot({kGoldenLog, "--laps", "1,2", "--out", laps}).exitStatus, 0);
    EXPECT_LT(differingShare(QImage(QString::fromStdString(plotted)),
                             QImage(QString::fromStdString(pictures + "golden_plot_1200x800.png"))),
              0.001);
    EXPECT_LT(differingShare(QImage(QString::fromStdString(laps)),
                             QImage(QString::fromStdString(pictures + "golden_laps_1_2.png"))),
              0.001);
}

// Figures worked out from the golden log's samples; a spreadsheet reads
// UTF-8 by the byte-order mark.
TEST(PlotCommandTest, LapsCsvWritesTheLapTableWithoutAnImage) {
    const std::string csv = TempPath("laps_table.csv");
    const ProcessResult result = plot({kGoldenLog, "--laps-csv", csv});
    ASSERT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(
        ReadFileBytes(csv),
        "\xEF\xBB\xBFLap,Time (s),Behind (s),Full throttle (%),Braking (%),Max RPM (rpm),"
        "Min RPM (rpm),Min VOLT (V),Avg VOLT (V),VOLT drop (V),Max TEMP1 (℃),Max TEMP2 (℃)\r\n"
        "1,20.00,0.00,0.0,100.0,3554,2148,7.21,7.30,0.19,32,34\r\n"
        "2,21.00,1.00,0.0,9.5,5108,3628,7.00,7.10,0.20,39,38\r\n");
}

// The golden session against a copy of it in another folder (session 2):
// the panes, the variance pane, the legend and the reference as asked.
TEST(PlotCommandTest, CompareDrawsTheOverlayWithTheVariancePane) {
    QDir().mkpath(QString::fromStdString(TempPath("other")));
    const std::string other = WriteFileBytes("other/b_log.csv", ReadFileBytes(kGoldenLog));
    WriteFileBytes("other/b_lap.csv", ReadFileBytes(kGoldenLap));
    const std::string svg = TempPath("compare.svg"), png = TempPath("compare.png");
    const ProcessResult asSvg = plot(
        {kGoldenLog, "--compare", other, "--laps", "2,2:1", "--out", svg, "--reference", "2:1"});
    ASSERT_EQ(asSvg.exitStatus, 0) << asSvg.err;
    EXPECT_NE(asSvg.err.find("reference: session 2 lap 1"), std::string::npos) << asSvg.err;
    const std::string drawn = ReadFileBytes(svg);
    for (const char* shown :
         {"distance estimated from RPM", "VARIANCE(s)", "TEMP2(",
          "session 2 lap 1   00:20.00   reference", "session 1 lap 2   00:21.00   +1.00"}) {
        EXPECT_NE(drawn.find(shown), std::string::npos) << shown;
    }

    // RPM and the variance below it: lap 2 (the second colour) climbs to +1 s there.
    const ProcessResult asPng =
        plot({kGoldenLog, "--laps", "2", "--channels", "rpm", "--out", png, "--size", "800x600"});
    ASSERT_EQ(asPng.exitStatus, 0) << asPng.err;
    const QImage image(QString::fromStdString(png));
    int lapTwoInVariance = 0;
    for (int y = 310; y < 570; ++y) {
        for (int x = 80; x < 785; ++x) {
            const QColor c = image.pixelColor(x, y);
            lapTwoInVariance +=
                std::abs(c.red() - 0xe6) + std::abs(c.green() - 0x55) + std::abs(c.blue() - 0x0d) <
                        60
                    ? 1
                    : 0;
        }
    }
    EXPECT_GT(lapTwoInVariance, 100);
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
          {kGoldenLog, kGoldenLap, "--out", out},
          {kGoldenLog, "--out", out, "--compare", kGoldenLog},
          {kGoldenLog, "--out", out, "--laps", "3"},
          {kGoldenLog, "--out", out, "--laps", "2:1"},
          {kGoldenLog, "--out", out, "--laps", "1", "--lap-range", "1-2"},
          {kGoldenLog, "--out", out, "--by-time"},
          {kGoldenLog, "--laps", "1", "--laps-csv", TempPath("never.csv")}}) {
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

// The viewer answers --help and --version without a display, and takes an
// unknown option for a mistake, not for a file to open; in Japanese for a
// Japanese locale, in English with the English switch.
TEST(PlotCommandTest, ViewerAnswersHelpAndVersionWithoutADisplay) {
    const auto viewer = [](std::vector<std::string> arguments, const std::string& lang = "C") {
        arguments.insert(arguments.begin(), BuildTreeProgram("viewer/datadock-viewer"));
        return RunProcess(arguments, {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=",
                                      "LANGUAGE=", "LC_ALL=", "LC_MESSAGES=", "LANG=" + lang});
    };
    const std::string usage = viewer({"--help"}).out;
    EXPECT_EQ(usage.rfind("usage: datadock-viewer", 0), 0u);
    EXPECT_EQ(viewer({"--version"}).out,
              "datadock-viewer " DATADOCK_VERSION " (DATADOCK MANAGER)\n");
    EXPECT_EQ(viewer({"--frobnicate"}).exitStatus, 64);

    const std::string japanese = viewer({"--help"}, "ja_JP.UTF-8").out;
    EXPECT_NE(japanese, usage);
    EXPECT_EQ(japanese, japaneseText(usage));
    const ProcessResult unknown = viewer({"--frobnicate"}, "ja_JP.UTF-8");
    EXPECT_TRUE(unknown.err.ends_with(" --frobnicate\n" + japanese)) << unknown.err;
    EXPECT_EQ(unknown.err.find("unknown option"), std::string::npos);
    EXPECT_EQ(viewer({"--english", "--help"}, "ja_JP.UTF-8").out, usage);
}

}  // namespace
