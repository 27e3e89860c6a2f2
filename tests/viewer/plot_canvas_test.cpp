// The plots drawn on a canvas that records what it is asked: the drawing
// needs no toolkit, so another platform's front draws the same picture.
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "viewer/comparison_painter.h"
#include "viewer/file_pairing.h"
#include "viewer/plot_painter.h"

namespace {

struct RecordingCanvas final : Canvas {
    std::vector<std::string> texts, upwards;
    int lineSets = 0, clipDepth = 0;

    void fillRect(const Rect&, Rgba) override {}
    void strokeRect(const Rect&, Rgba) override {}
    void drawLines(std::span<const Line>, Rgba) override { ++lineSets; }
    void drawLine(const Line&, Rgba, double, bool) override {}
    void drawText(const Rect&, Align, const std::string& t, Rgba, const Font&) override {
        texts.push_back(t);
    }
    void drawTextAt(Point, const std::string& t, Rgba, const Font&) override { texts.push_back(t); }
    void drawTextUpwards(const Rect&, const std::string& t, Rgba, const Font&) override {
        upwards.push_back(t);
    }
    void pushClip(const Rect&) override { ++clipDepth; }
    void popClip() override { --clipDepth; }
    double textWidth(const std::string& t, const Font&) override { return 6.0 * t.size(); }
    FontMetrics metrics(const Font&) override { return {10, 13}; }
};

const std::string kGolden = std::string(DATADOCK_TEST_DATA_DIR) + "/golden/normal_";

}  // namespace

TEST(PlotCanvasTest, ThePlotAndTheComparisonDrawEachSeriesAndNameEachPane) {
    const auto loaded = loadSession({kGolden + "log.csv", kGolden + "lap.csv"});
    const LogSession& session = std::get<LogSession>(loaded);
    PlotView view;
    resetView(session, view);
    view.shown = {true, false, true, false, false, true};
    RecordingCanvas plot;
    paintPlot(plot, Rect{0, 0, 1600, 900}, session, view);
    EXPECT_EQ(plot.upwards, (std::vector<std::string>{"ST(%)", "RPM", "TEMP2(°C)"}));
    EXPECT_EQ(plot.lineSets, 3);  // one a shown channel
    EXPECT_EQ(plot.texts.front(), session.log.title);
    EXPECT_EQ(plot.clipDepth, 0);

    const LapComparison comparison = compareLaps({&session}, {{0, 1}, {0, 2}});
    std::tie(view.startCs, view.endCs) = comparisonRange(comparison);
    view.cursorCs = view.startCs + 10;
    RecordingCanvas compared;
    paintComparison(compared, Rect{0, 0, 1600, 900}, comparison, view);
    EXPECT_EQ(compared.upwards.back(), "VARIANCE(s)");
    EXPECT_EQ(compared.lineSets, 3 * 2 + 1 + 2);  // each lap in each pane, the zero line
    EXPECT_EQ(compared.clipDepth, 0);
    for (const std::string& text : compared.texts) {
        EXPECT_NE(text, "-0") << "a value label or a readout";
    }
}
