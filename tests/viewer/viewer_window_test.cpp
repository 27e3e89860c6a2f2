// The viewer's window: opening, the lap table driving the plot, zooming,
// errors, dropped files, recent files, export; screenshots for a person to
// look at go to the build tree.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "tests/gui/screenshot.h"
#include "tests/support/temp_files.h"
#include "text/translation.h"
#include "viewer/compare_panel.h"
#include "viewer/compared_laps.h"
#include "viewer/comparison_painter.h"
#include "viewer/lap_table.h"
#include "viewer/plot_painter.h"
#include "viewer/plot_widget.h"
#include "viewer/qt_canvas.h"
#include "viewer/viewer_window.h"

namespace {

const QString kGoldenLog = QStringLiteral(DATADOCK_TEST_DATA_DIR "/golden/normal_log.csv");
const QString kGoldenLap = QStringLiteral(DATADOCK_TEST_DATA_DIR "/golden/normal_lap.csv");

struct Viewer {
    Viewer() {
        QSettings(QStringLiteral("DataDock"), QStringLiteral("datadock-viewer")).clear();
        window.answerFileQuestionsWith([this](ViewerWindow::FileQuestion q, const QString&) {
            questions.push_back(q);
            return answers.isEmpty() ? QStringList() : QStringList{answers.takeFirst()};
        });
        window.showErrorsWith([this](const QString& message) { errors << message; });
        window.resize(1280, 760);
        window.show();
    }
    std::pair<double, double> shownCs() const {
        return {window.plot()->view().startCs, window.plot()->view().endCs};
    }

    ViewerWindow window;
    QStringList answers;
    std::vector<ViewerWindow::FileQuestion> questions;
    QStringList errors;
};

TEST(ViewerWindowTest, LapTableZoomsToALapOverlaysTwoAndExports) {
    Viewer viewer;
    ASSERT_TRUE(viewer.window.openFiles({kGoldenLog}));
    EXPECT_TRUE(viewer.questions.empty());  // the lap file was found beside the log
    EXPECT_EQ(viewer.shownCs(), std::pair(0.0, 4600.0));
    const LapTable& table = *viewer.window.lapTable();
    EXPECT_EQ(table.cellText(0, 0), QStringLiteral("1 ★"));  // the best lap
    const char* lap2[] = {"2",    "00:21.00", "+1.00", "0.0",  "9.5", "5108",
                          "3628", "7.00",     "7.10",  "0.20", "39",  "38"};
    for (int column = 0; column < 12; ++column) {
        EXPECT_EQ(table.cellText(1, column), QString::fromUtf8(lap2[column]));
    }
    EXPECT_EQ(table.table()->horizontalHeaderItem(11)->text(), QStringLiteral("Max T2 (℃)"));
    EXPECT_TRUE(table.summaryText().contains(QStringLiteral("00:41.00")));
    saveScreenshot(viewer.window, "viewer-whole-log.png");

    table.table()->selectRow(1);  // lap 2 alone, then laps 1 and 2
    EXPECT_EQ(viewer.shownCs(), std::pair(2200.0, 4300.0));
    saveScreenshot(viewer.window, "viewer-lap-2.png");
    table.table()->selectionModel()->select(
        table.table()->model()->index(0, 0),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const LapComparison* comparison = viewer.window.plot()->comparison();
    ASSERT_NE(comparison, nullptr);
    EXPECT_EQ(comparison->overlaid.size(), 2u);
    QTest::keyClick(viewer.window.plot(), Qt::Key_Home);
    EXPECT_EQ(viewer.shownCs(), std::pair(0.0, 2000.0));  // the reference lap, the fastest
    saveScreenshot(viewer.window, "viewer-laps-overlaid.png");
    // The variance pane shows lap 2 in the second lap colour, climbing to +1 s.
    const QImage shown = viewer.window.plot()->grab().toImage();
    const QRect variance = qRectOf(*layoutPlot(rectOf(QRectF(viewer.window.plot()->rect())),
                                               viewer.window.plot()->view(), true)
                                        .variancePane)
                               .toRect();
    int lapTwo = 0;
    for (int y = variance.top(); y < variance.bottom(); ++y) {
        for (int x = variance.left(); x < variance.right(); ++x) {
            lapTwo += shown.pixelColor(x, y) == qColorOf(overlaidLapColour(1)) ? 1 : 0;
        }
    }
    EXPECT_GT(lapTwo, 50);

    const QString png = QString::fromStdString(TempPath("overlay.png"));
    EXPECT_TRUE(viewer.window.exportImage(png));
    EXPECT_FALSE(QImage(png).isNull());
    EXPECT_FALSE(viewer.window.exportImage(QString::fromStdString(TempPath("overlay.gif"))));
    EXPECT_EQ(viewer.errors.size(), 1);
    const std::string csv = TempPath("laps.csv");
    EXPECT_TRUE(viewer.window.exportLapTable(QString::fromStdString(csv)));
    EXPECT_EQ(ReadFileBytes(csv).substr(0, 22), "\xEF\xBB\xBFLap,Time (s),Behind");
}

// A second session beside the log: its laps in the Compare tab's list, laps
// of both compared, another lap made the reference.
TEST(ViewerWindowTest, LapsOfTwoSessionsAreComparedAgainstTheChosenReference) {
    QDir().mkpath(QString::fromStdString(TempPath("heat")));
    const std::string heat =
        WriteFileBytes("heat/heat_log.csv", ReadFileBytes(kGoldenLog.toStdString()));
    WriteFileBytes("heat/heat_lap.csv", ReadFileBytes(kGoldenLap.toStdString()));
    Viewer viewer;
    ASSERT_TRUE(viewer.window.openFiles({kGoldenLog}));
    ASSERT_TRUE(viewer.window.addToCompare({QString::fromStdString(heat)}));
    ComparePanel& panel = *viewer.window.comparePanel();
    ASSERT_EQ(panel.table()->rowCount(), 4);
    EXPECT_EQ(panel.table()->item(3, 3)->text(), QStringLiteral("+1.00"));

    panel.select({{0, 2}, {1, 1}});
    const LapComparison* comparison = viewer.window.plot()->comparison();
    ASSERT_NE(comparison, nullptr);
    ASSERT_EQ(comparison->overlaid.size(), 3u);  // with the reference: the first fastest
    EXPECT_EQ(comparison->overlaid[0].lap, (SessionLap{0, 1}));
    EXPECT_EQ(comparison->overlaid[2].lap, (SessionLap{1, 1}));

    panel.select({{1, 2}});
    panel.findChild<QPushButton*>()->click();  // Use as Reference
    EXPECT_EQ(viewer.window.plot()->comparison()->reference, std::optional(SessionLap{1, 2}));
    EXPECT_EQ(panel.table()->item(0, 3)->text(), QStringLiteral("-1.00"));
    EXPECT_EQ(panel.table()->item(3, 3)->text(), QStringLiteral("reference"));
    // The Laps tab counts against the same reference, of the other session.
    EXPECT_EQ(viewer.window.lapTable()->cellText(0, 2), QStringLiteral("-1.00"));
    EXPECT_EQ(viewer.window.lapTable()->cellText(1, 2), QStringLiteral("+0.00"));
    const std::string csv = TempPath("behind_reference.csv");  // and so does its export
    ASSERT_TRUE(viewer.window.exportLapTable(QString::fromStdString(csv)));
    EXPECT_NE(ReadFileBytes(csv).find("\r\n1,20.00,-1.00,"), std::string::npos);
    panel.select({{0, 1}, {0, 2}, {1, 2}});
    EXPECT_EQ(viewer.window.plot()->comparison()->overlaid.size(), 3u);
    saveScreenshot(viewer.window, "viewer-sessions-compared.png");
    panel.findChild<QCheckBox*>()->setChecked(true);
    EXPECT_EQ(viewer.window.plot()->comparison()->lineUp, LineUp::ByTime);
    EXPECT_EQ(viewer.window.plot()->comparison()->overlaid.size(), 3u);
}

// With a Japanese language the window's words and the tables' headers come
// from the catalog; the files' texts and the figures stay as they are.
TEST(ViewerWindowTest, SpeaksJapaneseWithItsLapTable) {
    useUiLanguage(UiLanguage::Japanese);
    const struct EnglishAgain {
        ~EnglishAgain() { useUiLanguage(UiLanguage::English); }
    } englishAgain;
    Viewer viewer;
    ASSERT_TRUE(viewer.window.openFiles({kGoldenLog}));
    const QTableWidget& laps = *viewer.window.lapTable()->table();
    ASSERT_EQ(laps.columnCount(), static_cast<int>(lapTableColumns().size()));
    for (int c = 0; c < laps.columnCount(); ++c) {
        const std::string& english = lapTableColumns()[static_cast<std::size_t>(c)].header;
        EXPECT_EQ(laps.horizontalHeaderItem(c)->text().toStdString(), japaneseText(english));
        EXPECT_NE(japaneseText(english), english);
    }
    EXPECT_EQ(laps.item(0, 2)->text().toStdString(), japaneseText("best"));
    EXPECT_EQ(laps.item(1, 1)->text(), QStringLiteral("00:21.00"));
    EXPECT_EQ(viewer.window.comparePanel()->table()->horizontalHeaderItem(0)->text().toStdString(),
              japaneseText(kComparedLapHeaders[0]));
    EXPECT_EQ(viewer.window.menuBar()->actions().front()->text().toStdString(),
              japaneseText("&File"));
    EXPECT_TRUE(viewer.window.windowTitle().endsWith(
        QString::fromStdString(japaneseText("DataDock log viewer"))));
    saveScreenshot(viewer.window, "viewer-japanese.png");
}

// Under a dark palette the plot and the overlay are dark with light labels,
// and the best lap's row stays readable.
TEST(ViewerWindowTest, ADarkPaletteDarkensThePlotAndKeepsItsTextReadable) {
    QPalette dark(QColor(0x35, 0x35, 0x35));  // a dark window and buttons, light text on them
    dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
    dark.setColor(QPalette::Text, Qt::white);
    Viewer viewer;
    viewer.window.setPalette(dark);
    ASSERT_TRUE(viewer.window.openFiles({kGoldenLog}));
    saveScreenshot(viewer.window, "viewer-dark-palette.png");
    PlotWidget& plot = *viewer.window.plot();
    // The mean lightness (0 to 255) of a region, and how many of its pixels are light.
    const auto lightness = [&plot](const QRect& region) {
        const QImage image = plot.grab().toImage();
        double sum = 0;
        int light = 0;
        for (int y = region.top(); y <= region.bottom(); ++y) {
            for (int x = region.left(); x <= region.right(); ++x) {
                sum += image.pixelColor(x, y).lightness();
                light += image.pixelColor(x, y).lightness() > 170 ? 1 : 0;
            }
        }
        return std::pair(sum / (region.width() * region.height()), light);
    };
    const PlotLayout layout = layoutPlot(rectOf(QRectF(plot.rect())), plot.view());
    EXPECT_LT(lightness(plot.rect()).first, 80);
    const QRect labels(0, qRectOf(layout.plotArea).toRect().top(), 70,
                       qRectOf(layout.plotArea).toRect().height());
    EXPECT_GT(lightness(labels).second, 200) << "the values' and the channels' labels";
    const QTableWidgetItem& best = *viewer.window.lapTable()->table()->item(0, 0);
    const QColor text = best.data(Qt::ForegroundRole).isValid() ? best.foreground().color()
                                                                : dark.color(QPalette::Text);
    EXPECT_GE(contrastRatio(rgbaOf(best.background().color()), rgbaOf(text)), 4.5);

    viewer.window.lapTable()->table()->selectAll();  // both laps overlaid
    ASSERT_NE(plot.comparison(), nullptr);
    saveScreenshot(viewer.window, "viewer-dark-laps-overlaid.png");
    const Rect pane =
        layoutPlot(rectOf(QRectF(plot.rect())), plot.view(), true).panes.front().second;
    EXPECT_LT(lightness(plot.rect()).first, 80);
    EXPECT_LT(lightness(QRect(pane.left() + 30, pane.top() + 6, 100, 20)).first, 110)
        << "the legend's box";
}

TEST(ViewerWindowTest, WheelKeysAndDragZoomAndPanWithinTheLog) {
    Viewer viewer;
    ASSERT_TRUE(viewer.window.openFiles({kGoldenLog, kGoldenLap}));
    PlotWidget& plot = *viewer.window.plot();
    const QPoint middle = plot.rect().center();

    QWheelEvent wheel(middle, plot.mapToGlobal(middle), {}, {0, 240}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&plot, &wheel);
    const double zoomed = plot.view().lengthCs();
    EXPECT_LT(zoomed, 4600);
    EXPECT_GT(plot.view().startCs, 0);  // around the time under the mouse
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(&plot, Qt::Key_Right);
    }
    EXPECT_DOUBLE_EQ(plot.view().lengthCs(), zoomed);  // panning keeps the zoom
    EXPECT_DOUBLE_EQ(plot.view().endCs, 4600);         // and stops at the log's end

    // The readout follows the pointer's time also when the view moves under it.
    QTest::mouseMove(&plot, middle);
    QTest::keyClick(&plot, Qt::Key_Home);
    ASSERT_TRUE(plot.view().cursorCs.has_value());
    const double afterHome = *plot.view().cursorCs;
    QTest::mouseMove(&plot, middle + QPoint(5, 0));
    QTest::mouseMove(&plot, middle);
    EXPECT_DOUBLE_EQ(afterHome, *plot.view().cursorCs);
    QTest::mousePress(&plot, Qt::LeftButton, {}, QPoint(300, middle.y()));
    QTest::mouseMove(&plot, QPoint(500, middle.y()));
    QTest::mouseRelease(&plot, Qt::LeftButton, {}, QPoint(500, middle.y()));
    EXPECT_GT(viewer.shownCs().first, 0);
    EXPECT_LT(viewer.shownCs().second, 4600);
    QTest::keyClicks(&plot, QString(60, QLatin1Char('+')));
    EXPECT_DOUBLE_EQ(plot.view().lengthCs(), 400);  // never narrower than four samples
}

TEST(ViewerWindowTest, DroppedLapFileAsksForItsLog_OpenedFilesAreRemembered_ABrokenOneIsNamed) {
    QDir().mkpath(QString::fromStdString(TempPath("alone")));
    const std::string lap =
        WriteFileBytes("alone/only_lap.csv", ReadFileBytes(kGoldenLap.toStdString()));
    Viewer viewer;
    viewer.answers = {kGoldenLog};
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(lap))});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: outside a real drag, QApplication would redirect it.
    static_cast<QObject&>(viewer.window).event(&drop);
    EXPECT_EQ(viewer.questions, std::vector{ViewerWindow::FileQuestion::LogFile});
    ASSERT_NE(viewer.window.session(), nullptr);
    EXPECT_EQ(viewer.window.session()->spans.size(), 2u);
    EXPECT_EQ(viewer.window.recentFiles().value(0),
              kGoldenLog + "\n" + QString::fromStdString(lap));

    // A log alone whose lap file the user does not choose: plotted without laps.
    const std::string log =
        WriteFileBytes("alone/only.csv", ReadFileBytes(kGoldenLog.toStdString()));
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(TempPath("alone")));
    ASSERT_TRUE(viewer.window.openFiles({QStringLiteral("only.csv")}));
    QDir::setCurrent(before);
    EXPECT_EQ(viewer.questions.back(), ViewerWindow::FileQuestion::LapFile);
    EXPECT_TRUE(viewer.window.session()->spans.empty());
    EXPECT_EQ(viewer.window.recentFiles().value(0), QString::fromStdString(log))
        << "remembered by its whole path, to open from any folder";

    // A broken file is named with its line, before any lap file is asked for;
    // it neither replaces the shown log nor joins the recent files.
    const std::string golden = ReadFileBytes(kGoldenLog.toStdString());
    const std::string broken =
        WriteFileBytes("window_broken.csv", golden.substr(0, 200) + "x,y\r\n" + golden.substr(200));
    const std::size_t asked = viewer.questions.size();
    EXPECT_FALSE(viewer.window.openFiles({QString::fromStdString(broken)}));
    EXPECT_EQ(viewer.questions.size(), asked);
    EXPECT_EQ(viewer.errors.size(), 1);
    EXPECT_TRUE(
        viewer.errors.value(0).contains(QString::fromStdString("\"" + broken + "\", line ")))
        << viewer.errors.value(0).toStdString();
    EXPECT_EQ(viewer.window.session()->log.size(), 46u);
    EXPECT_EQ(viewer.window.recentFiles().size(), 2);
}

// A file's text shows as it is, never as markup.
TEST(ViewerWindowTest, FileTextShowsAsPlainText) {
    const std::string fake = "<h1>FAKE ALERT</h1>", log = ReadFileBytes(kGoldenLog.toStdString());
    const std::string path =
        WriteFileBytes("fake_log.csv", "LOG NAME,D03," + fake + log.substr(log.find('\r')));
    Viewer viewer;
    ASSERT_TRUE(viewer.window.openFiles({QString::fromStdString(path), kGoldenLap}));
    const QLabel* status = viewer.window.statusBar()->findChild<QLabel*>();
    EXPECT_EQ(status->textFormat(), Qt::PlainText);
    EXPECT_TRUE(status->text().contains(QString::fromStdString(fake)));

    viewer.window.showErrorsWith({});  // the real message box
    Qt::TextFormat boxFormat = Qt::AutoText;
    QTimer::singleShot(0, [&boxFormat] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxFormat = box->textFormat();
            box->close();
        }
    });
    EXPECT_FALSE(viewer.window.openFiles({QString::fromStdString(WriteFileBytes("f.csv", fake))}));
    EXPECT_EQ(boxFormat, Qt::PlainText);
}

}  // namespace
