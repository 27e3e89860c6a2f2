// The command exchange every transfer shares: the handshake loop and the
// download conversation around the two downloads.
#include "app/control_ids.h"
#include "app/datadock_dlg.h"
#include "app/texts.h"
#include "device/protocol.h"

CDatadockDlg::Handshake CDatadockDlg::RunHandshake(
    const std::string& command, const std::function<bool(const std::string&)>& accept,
    std::string& reply) {
    for (;;) {
        PumpMessages();
        if (m_bCancelRequested) {
            return Handshake::Cancelled;
        }
        m_pSerial->SetRecvTimeout(proto::kHandshakeTimeoutSeconds);
        m_pSerial->SendTo(command);
        m_clock.sleepMs(proto::kHandshakePauseMs);
        if (m_pSerial->recvString(reply) != -2 && accept(reply)) {
            return Handshake::Accepted;
        }
    }
}

void CDatadockDlg::ShowDownloadResult(int result) {
    switch (result) {
        case kResultCancelled:
            return;
        case kResultFailed:
            m_platform.MessageBox(txt::kFailedToReceive, MessageIcon::Exclamation, m_failureDetail);
            return;
        case kResultNoData:
            m_platform.MessageBox(txt::kNoData, MessageIcon::Exclamation);
            return;
        default:
            m_platform.MessageBox(txt::kCompleted, MessageIcon::Information);
            return;
    }
}

// The replies are not examined. A port that no longer takes writes (the cable
// pulled) ends the closing early; the conversation is over either way.
void CDatadockDlg::CloseDownloadConversation(std::string& reply) {
    try {
        m_pSerial->SetRecvTimeout(proto::kCloseTimeoutSeconds);
        for (int i = 0; i < proto::kCloseRepeats; ++i) {
            m_pSerial->SendTo(proto::kEndConversation);
            m_pSerial->recvString(reply);
        }
    } catch (const SerialPortException&) {
    }
}

void CDatadockDlg::RunDownloadConversation(const std::string& kindDigit, const Download& download) {
    m_failureDetail.clear();
    const std::string opening = proto::kOpenConversation + kindDigit + proto::kLineEnd;
    std::string reply;
    int result = kResultFailed;
    try {
        const auto exact = [](const std::string& r) { return r == proto::kAck; };
        if (RunHandshake(opening, exact, reply) == Handshake::Cancelled) {
            return;
        }
        result = download();
    } catch (const SerialPortException& e) {
        result = kResultFailed;
        m_failureDetail = e.what();
    }
    ShowDownloadResult(result);
    CloseDownloadConversation(reply);
}
