// The SVG written without any toolkit: a well-formed document whatever its
// texts hold, one path a series.
#include <gtest/gtest.h>

#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <map>
#include <variant>

#include "viewer/file_pairing.h"
#include "viewer/plot_painter.h"
#include "viewer/svg_canvas.h"

namespace {

struct ParsedSvg {
    bool wellFormed = false;
    std::map<QString, int> elements;  // how many of each name
    QString viewBox, title;
    std::vector<QString> texts;
};

ParsedSvg parse(const std::string& document) {
    ParsedSvg svg;
    QXmlStreamReader reader(QByteArray::fromStdString(document));
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        if (!reader.isStartElement()) {
            continue;
        }
        const QString name = reader.name().toString();
        ++svg.elements[name];
        if (name == "svg") {
            svg.viewBox = reader.attributes().value("viewBox").toString();
        } else if (name == "title") {
            svg.title = reader.readElementText();
        } else if (name == "text") {
            svg.texts.push_back(reader.readElementText());
        }
    }
    svg.wellFormed = !reader.hasError();
    return svg;
}

const std::string kGolden = std::string(DATADOCK_TEST_DATA_DIR) + "/golden/normal_";

}  // namespace

TEST(SvgCanvasTest, ThePlotIsAnSvgOfItsSizeWithOnePathAShownChannel) {
    const auto loaded = loadSession({kGolden + "log.csv", kGolden + "lap.csv"});
    const LogSession& session = std::get<LogSession>(loaded);
    PlotView view;
    resetView(session, view);
    view.shown = {true, false, true, false, false, true};
    SvgCanvas canvas(1600, 900, session.log.title);
    paintPlot(canvas, Rect{0, 0, 1600, 900}, session, view);
    const std::string document = canvas.document();
    const ParsedSvg svg = parse(document);
    ASSERT_TRUE(svg.wellFormed) << document.substr(0, 2000);
    const QSvgRenderer renderer(QByteArray::fromStdString(document));
    EXPECT_EQ(renderer.defaultSize(), QSize(1600, 900));
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 1600, 900));
    EXPECT_EQ(svg.elements.at("path"), 3);
    EXPECT_EQ(svg.title, QString::fromStdString(session.log.title));
}

TEST(SvgCanvasTest, HostileTextsStayTextAndClipGroupsStayBalanced) {
    SvgCanvas canvas(320.5, 200, "a</title><b>&\x01\xff");
    canvas.pushClip({0, 0, 100, 50});
    canvas.drawText({0, 0, 100, 20}, Align::Right, "x<y & 'q' \"\xc3", {}, {});
    canvas.pushClip({0, 0, 50, 50});
    canvas.drawTextUpwards({0, 0, 20, 100}, "</text>\x7f", {}, {0, true});
    canvas.popClip();
    canvas.popClip();
    canvas.popClip();                 // one too many
    canvas.pushClip({0, 0, 10, 10});  // left open
    const Line series[] = {{{-0.001, 1.23456}, {2, 3}}, {{2, 3}, {4, 5}}, {{9, 9}, {8, 8}}};
    canvas.drawLines(series, {255, 0, 0, 128});
    const std::string document = canvas.document();
    const ParsedSvg svg = parse(document);
    ASSERT_TRUE(svg.wellFormed) << document;
    EXPECT_EQ(svg.viewBox, "0 0 320.5 200");
    EXPECT_NE(document.find("<title>a&lt;/title&gt;&lt;b&gt;&amp;\\x01\\xFF</title>"),
              std::string::npos);
    EXPECT_EQ(svg.texts, (std::vector<QString>{"x<y & 'q' \"\\xC3", "</text>\\x7F"}));
    EXPECT_EQ(svg.elements.at("g"), 3);
    EXPECT_NE(document.find("d=\"M0 1.23 L 2 3 4 5 M9 9 L 8 8\" fill=\"none\" stroke=\"#ff0000\" "
                            "stroke-opacity=\"0.5\""),
              std::string::npos);
    // Measured by characters, not bytes: two ideographs are two ems of 12 px.
    EXPECT_DOUBLE_EQ(canvas.textWidth("日本", {}), 24);
}
