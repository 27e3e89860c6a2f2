#pragma once

// The system's own texts, as code page 932 bytes: U+3000 (ideographic space)
// is 81 40, the arrow U+2192 is 81 A8, the degree Celsius sign U+2103 is 81 8E.
namespace txt {

#define DD_IDEO_SPACE "\x81\x40"
#define DD_ARROW "\x81\xA8"

constexpr char kCaption[] = "DATADOCK MANAGER  Ver1.05";
constexpr char kPortGroup[] = "DATADOCK";
constexpr char kNoPort[] = "-----";

constexpr char kBtnLogSave[] = DD_IDEO_SPACE DD_IDEO_SPACE DD_IDEO_SPACE
    "LOG SAVE                       KTR-90 " DD_ARROW " PC";
constexpr char kBtnModelSave[] = "MODEL SAVE      KTR-90 " DD_ARROW " PC";
constexpr char kBtnUpdate[] =
    DD_IDEO_SPACE DD_IDEO_SPACE DD_IDEO_SPACE "SOFTWARE UPDATE         PC " DD_ARROW " KTR-90";

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

// Beyond the original window: the Cancel button, the question before an
// update is broken off, and what the window says while the logger is silent.
constexpr char kBtnCancel[] = "Cancel";
constexpr char kConfirmUpdateStop[] =
    "Stop the update? The KTR-90 will need the update again before it can be used.";
constexpr char kWaitingForLogger[] =
    "Waiting for the KTR-90 \x81\x5C is it switched on and connected?";

constexpr char kCsvFilter[] = "CSV(*.csv)|*.csv||";
constexpr char kUpdateFilter[] = "Update file(*.dat)|*.dat||";

#undef DD_IDEO_SPACE
#undef DD_ARROW

}  // namespace txt
