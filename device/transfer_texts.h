#pragma once

#include "text/translation.h"

// The transfers' own texts. The titles are code page 932 bytes: U+3000
// (ideographic space) is 81 40, the arrow U+2192 is 81 A8. The messages are
// English UTF-8, shown through translated(). The two macros stay defined for
// the window's texts, which are built of the same characters.
#define DD_IDEO_SPACE "\x81\x40"
#define DD_ARROW "\x81\xA8"

namespace txt {

constexpr char kTitleLogSave[] = "LOG SAVE              KTR-90 " DD_ARROW " PC";
constexpr char kTitleModelSave[] = "MODEL SAVE            KTR-90 " DD_ARROW " PC";
constexpr char kTitleUpdate[] = "SOFTWARE UPDATE       PC " DD_ARROW " KTR-90";
constexpr char kArrowSeparator[] = " " DD_ARROW " ";

constexpr char kNotConnected[] = DD_TEXT("Not connected.");
constexpr char kFailedToReceive[] = DD_TEXT("Failed to receive data.");
constexpr char kCompleted[] = DD_TEXT("Completed to receive data!!");
constexpr char kNoData[] = DD_TEXT("No data.");
constexpr char kUpdateComplete[] = DD_TEXT("Update complete!!\r\nReboot the KTR-90.");
constexpr char kUpdateFailed[] = DD_TEXT("Update Failed.");
constexpr char kLogSave[] = "LOG SAVE";
constexpr char kModelSave[] = "MODEL SAVE";
constexpr char kSoftwareUpdate[] = "SOFTWARE UPDATE";
constexpr char kStopped[] = DD_TEXT("{transfer} stopped.");

// Beyond the original program: the question before an update is broken off,
// and what is said while the logger is silent.
constexpr char kConfirmUpdateStop[] =
    DD_TEXT("Stop the update? The KTR-90 will need the update again before it can be used.");
constexpr char kWaitingForLogger[] =
    DD_TEXT("Waiting for the KTR-90 \xE2\x80\x95 is it switched on and connected?");

}  // namespace txt
