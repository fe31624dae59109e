#pragma once

#include "messenger/protocol/codec/Pkt.h"
#include "messenger/protocol/login/ClientVersion.h"

// Sign-in at the main server. The payload holds four lines: the ticket; the password
// digest with the client's identity and device id; the initial status; one spare text.
class PktOutLin2 : public Pkt {
public:
    PktOutLin2()
        : Pkt(L"LIN2")
    {
    }

    std::unique_ptr<Pkt> Clone() const override { return std::unique_ptr<Pkt>(new PktOutLin2(*this)); }
    bool WriteArgs(PktStreamWriter& writer) override;
    bool ReadArgs(PktStreamReader&) override { return false; }

    std::wstring UserId;
    std::wstring Ticket;
    std::wstring PasswordDigest;
    int32_t AuthenticationKind = 0; // 0 MD5, 1 OTP
    std::wstring ClientVersion = kClientVersion;
    std::wstring ClientKind = L"ko.wm";
    std::wstring Pcid; // the device id
    bool Offline = false; // signs in shown as offline

protected:
    PktOutLin2(const PktOutLin2&) = default;
};
