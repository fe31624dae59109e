#include "messenger/protocol/codec/PktFailure.h"

#include "messenger/MessengerScreens.h"
#include "messenger/protocol/codec/PktIn.h"
#include "ux/core/UxText.h"

namespace {

const wchar_t kCheckIdMessage[] = L"입력하신 아이디를 확인하시고, 다시 로그인을 시도해 주세요.";

struct FailureName {
    int32_t code;
    const wchar_t* text;
};

const FailureName kFailureNames[] = {
    { 100, L"FailureCodeSuccess" },
    { 101, L"FailureCodeLowCache" },
    { 200, L"FailureCodeInvalidPacket" },
    { 201, L"FailureCodeMissingData" },
    { 202, L"FailureCodeInvalidData" },
    { 203, L"FailureCodeInvalidCommand" },
    { 270, L"FailureCodeInvalidSsSession" },
    { 280, L"FailureCodeMsgError" },
    { 300, kCheckIdMessage },
    { 301, L"입력하신 비밀번호를 확인하시고, 다시 로그인을 시도해 주세요." },
    { 302, L"FailureCodeAlreadyLoggedIn" },
    { 303, L"FailureCodeWrongDomain" },
    { 304, L"FailureCodeInvalidTargetId" },
    { 305, L"FailureCodeOfflineTargetId" },
    { 306, L"FailureCodeInvalidSession" },
    { 307, L"FailureCodeIdAlreadyExists" },
    { 308, L"FailureCodeClosedSession" },
    { 309, L"FailureCodeStoppedCommunication" },
    { 321, L"FailureCodeFlExceeded" },
    { 322, L"FailureCodeBuddyExceeded" },
    { 395, L"아직 OTP 인증은 지원하지 않습니다." },
    { 396, L"FailureCodeOtpNotReg" },
    { 397, L"FailureCodeOtpOverTry" },
    { 400, L"FailureCodeGeneralServerError" },
    { 401, L"FailureCodeResourceExhausted" },
    { 411, L"FailureCodeDplNotRegistered" },
    { 412, L"FailureCodeDplInsertError" },
    { 413, L"FailureCodeDplIInvalidHost" },
    { 414, L"FailureCodeDplUnknownOs" },
    { 418, L"FailureCodeDplUnsupportedVersion" },
    { 420, L"FailureCodeDispError" },
    { 421, L"FailureCodeDispConnectionFailed" },
    { 422, L"FailureCodeDispTimeout" },
    { 423, L"FailureCodeDispIpmlTimeout" },
    { 480, L"FailureCodeMrError" },
    { 490, L"FailureCodeIpmlError" },
    { 500, L"FailureCodeDbError" },
    { 600, L"FailureCodeLowVersion" },
    { 601, L"FailureCodeUnauthorized" },
    { 997, L"FailureCodeSrFormat" },
    { 998, kCheckIdMessage },
    { 999, L"FailureCodeGeneral" },
};

} // namespace

std::wstring GetFailureCodeName(int32_t code)
{
    for (const FailureName& entry : kFailureNames) {
        if (entry.code == code)
            return entry.text;
    }
    return L"Unknown Error";
}

std::wstring GetFailureCodeName(const PktIn& packet)
{
    return GetFailureCodeName(packet.GetResult());
}

bool ShowFailure(const PktIn& packet)
{
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    if (!screens)
        return false;
    return screens->ShowMsgBox(FormatString(L"%s", GetFailureCodeName(packet).c_str()));
}
