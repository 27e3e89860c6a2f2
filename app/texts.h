#pragma once

#include "device/transfer_texts.h"

// The window's own texts. The caption, the port group and the buttons' lines
// carry the product's names and stay as the window always showed them, in
// code page 932 bytes; the others are English UTF-8, shown through
// translated().
namespace txt {

constexpr char kCaption[] = "DATADOCK MANAGER  Ver1.05";
constexpr char kPortGroup[] = "DATADOCK";
constexpr char kNoPort[] = "-----";

constexpr char kBtnLogSave[] = DD_IDEO_SPACE DD_IDEO_SPACE DD_IDEO_SPACE
    "LOG SAVE                       KTR-90 " DD_ARROW " PC";
constexpr char kBtnModelSave[] = "MODEL SAVE      KTR-90 " DD_ARROW " PC";
constexpr char kBtnUpdate[] =
    DD_IDEO_SPACE DD_IDEO_SPACE DD_IDEO_SPACE "SOFTWARE UPDATE         PC " DD_ARROW " KTR-90";

// Beyond the original window: the Cancel button under a transfer.
constexpr char kBtnCancel[] = DD_TEXT("Cancel");

// A translation names the files in its own words and keeps the patterns.
constexpr char kCsvFilter[] = DD_TEXT("CSV(*.csv)|*.csv||");
constexpr char kUpdateFilter[] = DD_TEXT("Update file(*.dat)|*.dat||");

constexpr char kLogIsLapFile[] = DD_TEXT("The log file must not be the lap file.");
constexpr char kChooseAnotherLogName[] = DD_TEXT("Choose another name for the log file.");

// The log viewer's ways in: the background's menu, its file dialog's title
// and the button beside OK in the box that says a LOG SAVE has completed.
constexpr char kViewLogMenuEntry[] = DD_TEXT("View a log\xE2\x80\xA6");
constexpr char kViewLogTitle[] = DD_TEXT("View a log");
constexpr char kViewButton[] = DD_TEXT("View");
constexpr char kViewerNotStarted[] = DD_TEXT("The log viewer could not be started.");

}  // namespace txt
