#pragma once

// Commands and replies of the logger's line protocol.
namespace proto {
constexpr char kAck[] = "OK00\r\n";
constexpr char kStatusData[] = "OK00";
constexpr char kStatusDataAlt[] = "K00,";  // a data record as some loggers send it
constexpr char kStatusSetEnd[] = "OK01";
constexpr char kStatusNoData[] = "OK02";
constexpr int kStatusLength = 4;
constexpr int kRecordHeaderLength = 5;  // the status code and the character after it

constexpr char kOpenConversation[] = "DSTA,";
constexpr char kLineEnd[] = "\r\n";
constexpr char kReadRecord[] = "DRED\r\n";
constexpr char kChangeSet[] = "DCHG\r\n";
constexpr char kEndConversation[] = "DEND\r\n";

constexpr int kHandshakeTimeoutSeconds = 0;
constexpr int kHandshakePauseMs = 1000;
constexpr int kRecordTimeoutSeconds = 10;
constexpr int kCloseTimeoutSeconds = 1;
constexpr int kCloseRepeats = 3;
}  // namespace proto

// Download results.
constexpr int kResultFailed = 0;
constexpr int kResultCompleted = 1;
constexpr int kResultCancelled = 2;
constexpr int kResultNoData = 10;
