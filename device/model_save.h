#pragma once

#include <string>

#include "device/download_conversation.h"

// MODEL SAVE: the model values, one decimal number per line.
class ModelSave : public DownloadConversation {
public:
    using DownloadConversation::DownloadConversation;

    TransferResult Run(const std::string& path);

private:
    TransferResult DownloadModelData(const std::string& path);
};
