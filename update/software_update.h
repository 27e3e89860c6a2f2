#pragma once

#include <string>
#include <vector>

#include "device/conversation.h"

// SOFTWARE UPDATE: the update file sent to the logger line by line, after the
// logger has been put into update mode and has given its version.
class SoftwareUpdate : protected Conversation {
public:
    using Conversation::Conversation;

    TransferResult Run(const std::string& path);

private:
    TransferResult UpdateFirmware(const std::string& path);
    bool StartUpdate(std::string& reply);
    TransferResult SendUpdateLines(const std::vector<std::string>& lines, std::string& reply);

    bool m_bUnderway = false;
};
