#pragma once

#include <algorithm>
#include <string>

#include "serial/serial_port_api.h"

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

// A reply is an acknowledgement only when it is exactly "OK00\r\n": any byte
// more received in the same read makes it something else.
inline bool IsAck(const std::string& reply) {
    return reply == kAck;
}
// The same for a receive that may have timed out.
inline bool IsAck(const std::string& reply, int received) {
    return received != SerialPortAPI::kTimedOut && IsAck(reply);
}

// How many reply lines a received text holds.
inline int LinesIn(const std::string& reply) {
    return static_cast<int>(std::count(reply.begin(), reply.end(), '\n'));
}

// Every command sent owes one reply line; a receive pays off as many lines as
// it holds. An attempt answered late is answered while a later one waits, so
// what is still owed once an attempt is accepted must be read and dropped.
class OwedReplies {
public:
    void Sent() { ++m_lines; }
    void Received(const std::string& reply, int received) {
        if (received != SerialPortAPI::kTimedOut) {
            m_lines -= LinesIn(reply);
        }
    }
    bool Any() const { return m_lines > 0; }

private:
    int m_lines = 0;
};

constexpr int kHandshakeTimeoutSeconds = 0;
constexpr int kOwedReplyPollMs = 10;
constexpr int kHandshakePauseMs = 1000;
constexpr int kRecordTimeoutSeconds = 10;
constexpr int kCloseTimeoutSeconds = 1;
constexpr int kCloseRepeats = 3;
}  // namespace proto

// What a reply to "DRED\r\n" is, by its first four characters. "K00," counts
// as a data record here; the model download takes only "OK00". A reply that
// is exactly "OK00\r\n" or holds more than one line is none of them.
enum class RecordStatus { Data, SetEnd, NoData, Other };
RecordStatus StatusOf(const std::string& reply);
