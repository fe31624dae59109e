#include "messenger/protocol/codec/PktFailure.h"

#include "messenger/MessengerScreens.h"
#include "messenger/protocol/codec/PktIn.h"
#include "ux/core/UxText.h"

namespace {

const wchar_t kCheckIdMessage[] = L"입력하신 아이디를 확인하시고, 다시 로그인을 시도해 주세요.";
const wchar_t kCheckPasswordMessage[] = L"입력하신 비밀번호를 확인하시고, 다시 로그인을 시도해 주세요.";
const wchar_t kOtpMessage[] = L"아직 OTP 인증은 지원하지 않습니다.";

// Codes whose name is already the user's message keep it as their name.
const FailureCode kFailureCodes[] = {
    { 100, L"FailureCodeSuccess", L"요청이 처리되었습니다." },
    { 101, L"FailureCodeLowCache", L"서버가 요청을 처리할 여유가 없습니다. 잠시 후 다시 시도해 주세요." },
    { 200, L"FailureCodeInvalidPacket", L"잘못된 요청입니다." },
    { 201, L"FailureCodeMissingData", L"요청에 필요한 정보가 빠져 있습니다." },
    { 202, L"FailureCodeInvalidData", L"요청한 정보가 올바르지 않습니다." },
    { 203, L"FailureCodeInvalidCommand", L"지원하지 않는 요청입니다." },
    { 270, L"FailureCodeInvalidSsSession", L"대화 연결이 올바르지 않습니다." },
    { 280, L"FailureCodeMsgError", L"메시지를 보내지 못했습니다." },
    { 300, kCheckIdMessage, kCheckIdMessage },
    { 301, kCheckPasswordMessage, kCheckPasswordMessage },
    { 302, L"FailureCodeAlreadyLoggedIn", L"이미 로그인되어 있는 아이디입니다." },
    { 303, L"FailureCodeWrongDomain", L"도메인이 올바르지 않습니다. 아이디의 도메인을 확인해 주세요." },
    { 304, L"FailureCodeInvalidTargetId", L"존재하지 않는 아이디입니다." },
    { 305, L"FailureCodeOfflineTargetId", L"상대방이 로그인하지 않은 상태입니다." },
    { 306, L"FailureCodeInvalidSession", L"접속 정보가 올바르지 않습니다. 다시 로그인해 주세요." },
    { 307, L"FailureCodeIdAlreadyExists", L"이미 등록되어 있는 아이디입니다." },
    { 308, L"FailureCodeClosedSession", L"이미 종료된 대화입니다." },
    { 309, L"FailureCodeStoppedCommunication", L"상대방과의 통신이 중단되었습니다." },
    { 321, L"FailureCodeFlExceeded", L"친구 목록에 더 이상 추가할 수 없습니다." },
    { 322, L"FailureCodeBuddyExceeded", L"등록할 수 있는 친구 수를 넘었습니다." },
    { 395, kOtpMessage, kOtpMessage },
    { 396, L"FailureCodeOtpNotReg", L"OTP가 등록되어 있지 않습니다." },
    { 397, L"FailureCodeOtpOverTry", L"OTP 인증 시도 횟수를 넘었습니다." },
    { 400, L"FailureCodeGeneralServerError", L"서버에 오류가 발생했습니다. 잠시 후 다시 시도해 주세요." },
    { 401, L"FailureCodeResourceExhausted", L"서버가 혼잡합니다. 잠시 후 다시 시도해 주세요." },
    { 411, L"FailureCodeDplNotRegistered", L"등록되지 않은 프로그램입니다." },
    { 412, L"FailureCodeDplInsertError",
        L"프로그램 정보를 등록하지 못했습니다. 잠시 후 다시 시도해 주세요." },
    { 413, L"FailureCodeDplIInvalidHost", L"접속한 서버의 주소가 올바르지 않습니다." },
    { 414, L"FailureCodeDplUnknownOs", L"지원하지 않는 운영체제입니다." },
    { 418, L"FailureCodeDplUnsupportedVersion",
        L"지원하지 않는 버전입니다. 새 버전으로 업그레이드해 주세요." },
    { 420, L"FailureCodeDispError", L"접속 서버에 오류가 발생했습니다. 잠시 후 다시 시도해 주세요." },
    { 421, L"FailureCodeDispConnectionFailed",
        L"접속 서버에 연결하지 못했습니다. 잠시 후 다시 시도해 주세요." },
    { 422, L"FailureCodeDispTimeout", L"접속 서버의 응답이 없습니다. 잠시 후 다시 시도해 주세요." },
    { 423, L"FailureCodeDispIpmlTimeout", L"서버의 응답 시간이 초과되었습니다. 잠시 후 다시 시도해 주세요." },
    { 480, L"FailureCodeMrError", L"메시지 서버에 오류가 발생했습니다. 잠시 후 다시 시도해 주세요." },
    { 490, L"FailureCodeIpmlError", L"서버 사이의 통신에 오류가 발생했습니다. 잠시 후 다시 시도해 주세요." },
    { 500, L"FailureCodeDbError", L"데이터베이스에 오류가 발생했습니다. 잠시 후 다시 시도해 주세요." },
    { 600, L"FailureCodeLowVersion", L"더 이상 지원하지 않는 버전입니다. 새 버전으로 업그레이드해 주세요." },
    { 601, L"FailureCodeUnauthorized", L"인증되지 않은 요청입니다. 다시 로그인해 주세요." },
    { 997, L"FailureCodeSrFormat", L"서버의 응답 형식이 올바르지 않습니다." },
    { 998, kCheckIdMessage, kCheckIdMessage },
    { 999, L"FailureCodeGeneral", L"요청을 처리하지 못했습니다. 잠시 후 다시 시도해 주세요." },
};

} // namespace

const FailureCode* FindFailureCode(std::span<const FailureCode> table, int32_t code)
{
    for (const FailureCode& entry : table) {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

std::wstring GetFailureName(std::span<const FailureCode> table, int32_t code)
{
    const FailureCode* entry = FindFailureCode(table, code);
    return entry ? entry->name : L"Unknown Error";
}

std::wstring GetFailureText(std::span<const FailureCode> table, int32_t code)
{
    if (const FailureCode* entry = FindFailureCode(table, code))
        return entry->text;
    return FormatString(L"알 수 없는 오류가 발생했습니다.\n\n오류 코드: %d", code);
}

std::wstring DescribeFailure(std::span<const FailureCode> table, int32_t code)
{
    return FormatString(L"%s (%d)", GetFailureName(table, code).c_str(), code);
}

std::wstring GetFailureCodeName(int32_t code)
{
    return GetFailureName(kFailureCodes, code);
}

std::wstring GetFailureCodeName(const PktIn& packet)
{
    return GetFailureCodeName(packet.GetResult());
}

std::wstring GetFailureCodeText(int32_t code)
{
    return GetFailureText(kFailureCodes, code);
}

std::wstring GetFailureCodeText(const PktIn& packet)
{
    return GetFailureCodeText(packet.GetResult());
}

bool ShowFailure(const PktIn& packet)
{
    UxTrace(L"%s refused: %s\n", packet.GetCommand().c_str(),
        DescribeFailure(kFailureCodes, packet.GetResult()).c_str());
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    if (!screens)
        return false;
    return screens->ShowMsgBox(GetFailureCodeText(packet));
}
