// The viewer's window: opening, the lap table driving the plot, zooming,
// errors, dropped files, recent files, export; screenshots for a person to
// look at go to the build tree.
#include <gtest/gtest.h>

#include <QDir>
#include <QMimeData>
#include <QSettings>
#include <QSvgRenderer>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include "tests/gui/screenshot.h"
#include "tests/support/temp_files.h"
#include "viewer/lap_table.h"
#include "viewer/plot_widget.h"
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
    void selectLaps(std::initializer_list<int> rows) {
        QTableWidget* table = window.lapTable()->table();
        table->clearSelection();
        for (const int row : rows) {
            table->selectionModel()->select(
                table->model()->index(row, 0),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    ViewerWindow window;
    QStringList answers;
    std::vector<ViewerWindow::FileQuestion> questions;
    QStringList errors;
};

TEST(ViewerWindowTest, LapTableZoomsToALapAndOverlaysTwo) {
    Viewer viewer;
    ASSERT_TRUE(viewer.window.openFiles({kGoldenLog}));
    EXPECT_TRUE(viewer.questions.empty());  // the lap file was found beside the log
    const PlotWidget& plot = *viewer.window.plot();
    EXPECT_EQ(plot.view().startCs, 0);
    EXPECT_EQ(plot.view().endCs, 4600);
    const LapTable& table = *viewer.window.lapTable();
    EXPECT_EQ(table.cellText(0, 0), QStringLiteral("1 ★"));
    EXPECT_EQ(table.cellText(1, 2), QStringLiteral("+1.00"));
    EXPECT_EQ(table.cellText(0, 3), QStringLiteral("3554"));
    EXPECT_EQ(table.cellText(1, 4), QStringLiteral("7.00"));
    EXPECT_EQ(table.cellText(1, 5), QStringLiteral("7.10"));
    EXPECT_EQ(table.cellText(0, 6), QStringLiteral("32"));
    EXPECT_TRUE(table.summaryText().contains(QStringLiteral("00:41.00")));
    saveScreenshot(viewer.window, "viewer-whole-log.png");

    viewer.selectLaps({1});
    EXPECT_EQ(plot.view().startCs, 2200);
    EXPECT_EQ(plot.view().endCs, 4300);
    saveScreenshot(viewer.window, "viewer-lap-2.png");

    viewer.selectLaps({0, 1});
    ASSERT_TRUE(plot.view().overlaidLaps);
    EXPECT_EQ(*plot.view().overlaidLaps, std::make_pair(1, 2));
    EXPECT_EQ(plot.view().endCs, 2100);  // the longer lap
    saveScreenshot(viewer.window, "viewer-laps-overlaid.png");

    const std::string png = TempPath("overlay.png");
    const std::string svg = TempPath("overlay.svg");
    EXPECT_TRUE(viewer.window.exportImage(QString::fromStdString(png)));
    EXPECT_TRUE(viewer.window.exportImage(QString::fromStdString(svg)));
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), plot.size().expandedTo(QSize(800, 500)));
    EXPECT_TRUE(QSvgRenderer(QString::fromStdString(svg)).isValid());
    EXPECT_FALSE(viewer.window.exportImage(QString::fromStdString(TempPath("overlay.gif"))));
    EXPECT_EQ(viewer.errors.size(), 1);
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
    EXPECT_GT(plot.view().startCs, 0);
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(&plot, Qt::Key_Right);
    }
    EXPECT_DOUBLE_EQ(plot.view().lengthCs(), zoomed);  // panning keeps the zoom
    EXPECT_DOUBLE_EQ(plot.view().endCs, 4600);         // and stops at the log's end

    QTest::keyClick(&plot, Qt::Key_Home);
    QTest::mousePress(&plot, Qt::LeftButton, {}, QPoint(300, middle.y()));
    QTest::mouseMove(&plot, QPoint(500, middle.y()));
    QTest::mouseRelease(&plot, Qt::LeftButton, {}, QPoint(500, middle.y()));
    EXPECT_LT(plot.view().lengthCs(), 4600);
    EXPECT_GT(plot.view().startCs, 0);
    for (int i = 0; i < 60; ++i) {
        QTest::keyClick(&plot, Qt::Key_Plus);
    }
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

    ASSERT_EQ(viewer.questions.size(), 1u);
    EXPECT_EQ(viewer.questions.front(), ViewerWindow::FileQuestion::LogFile);
    ASSERT_NE(viewer.window.session(), nullptr);
    EXPECT_EQ(viewer.window.session()->spans.size(), 2u);
    ASSERT_FALSE(viewer.window.recentFiles().isEmpty());
    EXPECT_EQ(viewer.window.recentFiles().front(), kGoldenLog + "\n" + QString::fromStdString(lap));

    // A log alone whose lap file the user does not choose: plotted without laps.
    const std::string log =
        WriteFileBytes("alone/only.csv", ReadFileBytes(kGoldenLog.toStdString()));
    ASSERT_TRUE(viewer.window.openFiles({QString::fromStdString(log)}));
    EXPECT_EQ(viewer.questions.back(), ViewerWindow::FileQuestion::LapFile);
    EXPECT_TRUE(viewer.window.session()->spans.empty());
    EXPECT_EQ(viewer.window.recentFiles().size(), 2);

    // A broken file is named with its line, and the shown log stays.
    const std::string broken = WriteFileBytes(
        "window_broken.csv", ReadFileBytes(kGoldenLog.toStdString()).substr(0, 200) + "x,y\r\n");
    EXPECT_FALSE(viewer.window.openFiles({QString::fromStdString(broken)}));
    ASSERT_EQ(viewer.errors.size(), 1);
    EXPECT_TRUE(viewer.errors.front().contains(QString::fromStdString("\"" + broken + "\", line ")))
        << viewer.errors.front().toStdString();
    EXPECT_EQ(viewer.window.session()->log.size(), 46u);
    EXPECT_EQ(viewer.window.recentFiles().size(), 2);
}

}  // namespace
