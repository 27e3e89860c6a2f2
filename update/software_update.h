#pragma once

#include <string>

#include "device/conversation.h"
#include "update/update_file.h"

// SOFTWARE UPDATE: the update file sent to the logger line by line, after the
// logger has been put into update mode and has given its version.
class SoftwareUpdate : protected Conversation {
public:
    using Conversation::Conversation;

    TransferResult Run(const std::string& path);

private:
    TransferResult UpdateFirmware(const std::string& path);
    bool StartUpdate(std::string& reply);
    TransferResult SendUpdateLines(const UpdateLines& lines, std::string& reply);

    bool m_bUnderway = false;
};
