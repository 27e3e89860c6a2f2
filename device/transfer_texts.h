#pragma once

// The transfers' own texts, as code page 932 bytes: U+3000 (ideographic
// space) is 81 40, the arrow U+2192 is 81 A8. The two macros stay defined for
// the window's texts, which are built of the same characters.
#define DD_IDEO_SPACE "\x81\x40"
#define DD_ARROW "\x81\xA8"

namespace txt {

constexpr char kTitleLogSave[] = "LOG SAVE              KTR-90 " DD_ARROW " PC";
constexpr char kTitleModelSave[] = "MODEL SAVE            KTR-90 " DD_ARROW " PC";
constexpr char kTitleUpdate[] = "SOFTWARE UPDATE       PC " DD_ARROW " KTR-90";
constexpr char kArrowSeparator[] = " " DD_ARROW " ";

constexpr char kNotConnected[] = "Not connected.";
constexpr char kFailedToReceive[] = "Failed to receive data.";
constexpr char kCompleted[] = "Completed to receive data!!";
constexpr char kNoData[] = "No data.";
constexpr char kUpdateComplete[] = "Update complete!!\r\nReboot the KTR-90.";
constexpr char kUpdateFailed[] = "Update Failed.";
constexpr char kLogSave[] = "LOG SAVE";
constexpr char kModelSave[] = "MODEL SAVE";
constexpr char kSoftwareUpdate[] = "SOFTWARE UPDATE";
constexpr char kStopped[] = " stopped.";  // after the transfer's name

// Beyond the original program: the question before an update is broken off,
// and what is said while the logger is silent.
constexpr char kConfirmUpdateStop[] =
    "Stop the update? The KTR-90 will need the update again before it can be used.";
constexpr char kWaitingForLogger[] =
    "Waiting for the KTR-90 \x81\x5C is it switched on and connected?";

}  // namespace txt
