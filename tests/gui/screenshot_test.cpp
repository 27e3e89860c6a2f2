// Pictures of the window's layouts for a person to look at, and what each
// transfer layout shows.
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <memory>

#include "app/control_ids.h"
#include "app/file_dialog.h"
#include "app/texts.h"
#include "tests/gui/window_harness.h"

namespace {

const QString kScreenshotDir = QStringLiteral(DATADOCK_SCREENSHOT_DIR);

bool saveScreenshot(DatadockWindow& window, const QString& name) {
    QDir().mkpath(kScreenshotDir);
    return window.grab().save(kScreenshotDir + "/" + name);
}

// The chosen path as a file dialog would hand it back.
std::unique_ptr<CFileDialog> chosenFile(DatadockWindow& window, const std::string& path) {
    auto dialog = std::make_unique<CFileDialog>(false, "csv", "", txt::kCsvFilter);
    window.answerFileDialogsWith([path](const FileDialogRequest&) { return path; });
    dialog->DoModal(window);
    return dialog;
}

TEST(ScreenshotTest, IdleLayouts) {
    WindowHarness plain;
    EXPECT_TRUE(saveScreenshot(plain.window, "idle.png"));

    WindowHarness withModelSave({"/dev/ttyUSB0", "/dev/ttyUSB1"}, true);
    EXPECT_TRUE(saveScreenshot(withModelSave.window, "idle-vardo.png"));
}

TEST(ScreenshotTest, TransferLayouts) {
    WindowHarness logSave({"/dev/ttyUSB0"});
    logSave.logic.m_pLapFileDialog =
        chosenFile(logSave.window, "/home/pilot/KTR-90/flights/2024-06-01_field_day_lap.csv");
    logSave.logic.ShowLogSaveLayout();
    logSave.window.SetControlText(ctl::kStaticPercent, "45%");
    logSave.window.ProgressSetPos(45);
    EXPECT_TRUE(saveScreenshot(logSave.window, "log-save.png"));
    expectVisibility(logSave, {{ctl::kBtnLogSave, false},
                               {ctl::kBtnModelSave, false},
                               {ctl::kBtnUpdate, false},
                               {ctl::kGroupTransfer, true},
                               {ctl::kStaticTitle, true},
                               {ctl::kStaticInfo, true},
                               {ctl::kStaticPercent, true},
                               {ctl::kProgress, true}});
    EXPECT_EQ(logSave.shownText(ctl::kStaticPercent), QStringLiteral("45%"));
    EXPECT_TRUE(logSave.shownText(ctl::kStaticInfo).endsWith("field_day_lap.csv"));

    WindowHarness modelSave({"/dev/ttyUSB0"}, true);
    modelSave.logic.m_pFileDialog = chosenFile(modelSave.window, "/home/pilot/_model.csv");
    modelSave.logic.ShowModelSaveLayout();
    EXPECT_TRUE(saveScreenshot(modelSave.window, "model-save.png"));
    expectVisibility(modelSave, {{ctl::kBtnLogSave, false},
                                 {ctl::kBtnModelSave, false},
                                 {ctl::kBtnUpdate, false},
                                 {ctl::kStaticTitle, true},
                                 {ctl::kStaticInfo, true},
                                 {ctl::kProgress, false}});
}

}  // namespace
