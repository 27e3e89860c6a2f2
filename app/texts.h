#pragma once

#include "device/transfer_texts.h"

// The window's own texts, as code page 932 bytes.
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
constexpr char kBtnCancel[] = "Cancel";

constexpr char kCsvFilter[] = "CSV(*.csv)|*.csv||";
constexpr char kUpdateFilter[] = "Update file(*.dat)|*.dat||";

}  // namespace txt
