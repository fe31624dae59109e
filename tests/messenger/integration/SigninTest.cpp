// Sign-in against the local service over real sockets and TLS, with the keep-alive on
// the manual clock.
#include "messenger/protocol/buddies/PktInLsta.h"
#include "tests/support/ServiceSession.h"
#include "tests/support/TraceCapture.h"

#include <tuple>

namespace {

constexpr const wchar_t* kReset = L"ResetScreens";
constexpr const wchar_t* kReceiveError
    = L"ShowMsgBox: 네트워크 수신 오류가 발생했습니다.\n\n오류 코드: 10040";
constexpr int kBuddies = 300;
constexpr const wchar_t* kBig = L"big@quorix.net";

// One account with a list long enough to come in several fragments, and its buddies.
std::string BigAccounts()
{
    std::string groups, buddies, accounts;
    for (int i = 0; i < kBuddies; ++i) {
        const std::string n = std::to_string(i), id = "b" + std::to_string(1000 + i) + "@quorix.net";
        if (i < 5)
            groups += R"(,{"id": ")" + n + R"(", "name": "그룹)" + n + R"("})";
        buddies
            += R"(,{"id": ")" + id + R"(", "flags": "1101", "group": ")" + std::to_string(i % 5) + R"("})";
        accounts += R"(,{"id": ")" + id + R"(", "password": "pw", "name": "이름)" + n + R"(", "nick": "별명 )"
            + n + R"("})";
    }
    return R"({"domain": "quorix.net", "accounts": [{"id": "big@quorix.net", "password": "big1234", )"
           R"("name": "큰목록", "nick": "big", "groups": [)"
        + groups.substr(1) + R"(], "buddies": [)" + buddies.substr(1) + "]}" + accounts + "]}";
}

class SigninTest : public ServiceSessionTest {
protected:
    SigninTest()
        : ServiceSessionTest(BigAccounts())
    {
    }
    void SetUp() override { ASSERT_TRUE(StartService()); }

    bool SignIn(const std::wstring& password = L"big1234")
    {
        return ServiceSessionTest::SignIn(kBig, password);
    }

    // One period of the keep-alive: a PONG goes out and its answer comes back.
    bool KeepAlivePeriod()
    {
        // The answer may already be in while the pump drains the queue.
        const uint32_t before = m.pong.GetLastSent();
        UxPumpFor(10000);
        return m.pong.GetLastSent() != before && PumpUntil([&] { return !m.pong.IsAwaitingReply(); });
    }

    bool SessionEnded() { return PumpUntilCall(kReset); }

    // Asks the service's control channel to act on the signed-in account.
    void Control(const std::string& path, const std::string& fields = "")
    {
        ServiceSessionTest::Control(path, "big@quorix.net", fields);
    }
    void Raw(const std::string& data) { Control("/raw", R"(, "data": ")" + data + "\""); }
};

} // namespace

TEST_F(SigninTest, SignsInOverVerifiedTlsAndStaysAlive)
{
    ASSERT_TRUE(SignIn());
    EXPECT_EQ(m.peer.GetStage(), TarvPeer::StageMain);
    EXPECT_TRUE(m.peer.GetSslSocket().IsSecure());
    EXPECT_EQ(std::tie(m.me.Name, m.me.Status), std::make_tuple(L"큰목록", BuddyStatusOnline));
    EXPECT_EQ(m.groups.GetCount(), 5u);
    EXPECT_EQ(m.buddies.GetCount(), static_cast<size_t>(kBuddies));
    const Buddy* buddy = m.buddies.Find(L"b1007@quorix.net");
    ASSERT_NE(buddy, nullptr);
    EXPECT_EQ(buddy->Nick, L"별명 7");
    EXPECT_TRUE(m.groups.Find(L"2")->HasMember(buddy->Id));
    // Every fragment holds at most the 8,192 bytes asked for: this body took several, and
    // the buffer that gathered them is given back once they are read.
    const std::string log = folder.Read("service.log");
    size_t fragments = 0;
    for (size_t at = log.find("> LSTA "); at != std::string::npos; at = log.find("> LSTA ", at + 1))
        ++fragments;
    EXPECT_GT(fragments, 2u);
    EXPECT_LT(PktInLsta::GetFragmentBuffer().capacity(), 8192u);
    EXPECT_EQ(screens.calls,
        (std::vector<std::wstring> {
            L"RefreshMyStatus", L"ReloadBuddyList", L"ShowBuddyList", L"ShowMemoInbox", L"PlayAlert: 0" }));

    for (int period = 0; period < 3; ++period)
        ASSERT_TRUE(KeepAlivePeriod()) << period;
    // The option's answer came back inside its envelope and settled both requests.
    EXPECT_TRUE(PumpUntil([&] { return m.pending.GetCount() == 0; }));
    EXPECT_EQ(screens.calls.size(), 5u);
}

TEST_F(SigninTest, ServersHangingUpAfterARefusalAddNoSecondAlert)
{
    // Each server refuses and hangs up at once, or hangs up without a word: the refusal's
    // own alert shows once, and no "connection lost" alert or reset follows.
    struct Case {
        const char* rule;
        const wchar_t* password;
        std::vector<std::wstring> calls;
    };
    const Case cases[] = {
        // The first request of a fresh issuer has transaction id 1.
        { R"("server": "dispatch", "on": "PVER", "mode": "replace", "data": "500 1\r\n", "close": true)",
            L"big1234",
            { L"ShowMsgBox: 데이터베이스에 오류가 발생했습니다. 잠시 후 다시 시도해 주세요.", L"ResetScreens",
                L"UpdateNotifyIcons" } },
        { R"("server": "dispatch", "on": "PVER", "mode": "replace", "data": "", "close": true)", L"big1234",
            {} },
        { R"("server": "main", "on": "LIN2", "mode": "after", "data": "", "close": true)", L"wrong",
            { L"ShowMsgBox: 입력하신 비밀번호를 확인하시고, 다시 로그인을 시도해 주세요.",
                L"ShowLoginForm" } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule);
        screens.calls.clear();
        service.Post("/rule", std::string("{") + c.rule + "}");
        m.me.Id = L"big@quorix.net";
        m.me.PasswordDigest = MakePasswordDigest(m.me.Id, c.password);
        ASSERT_TRUE(m.peer.ConnectDispatch());
        PumpUntil([&] { return screens.calls.size() >= c.calls.size(); }, 5000);
        PumpUntil([] { return false; }, 500);
        EXPECT_EQ(screens.calls, c.calls);
        EXPECT_EQ(m.peer.GetStage(), TarvPeer::StageDispatch);
        EXPECT_FALSE(m.pong.IsRunning());
    }
}

TEST_F(SigninTest, MissedKeepAliveAnswerEndsTheSession)
{
    ASSERT_TRUE(SignIn());
    ASSERT_TRUE(KeepAlivePeriod());
    Control("/drop-pongs", R"(, "count": 1)");
    UxPumpFor(10000);
    ASSERT_TRUE(m.pong.IsAwaitingReply());
    PumpUntil([] { return false; }, 300);
    EXPECT_FALSE(screens.Has(kReset));
    UxPumpFor(10000);
    ASSERT_TRUE(SessionEnded());
    EXPECT_TRUE(screens.Has(L"ShowMsgBox: 네트워크가 불안정하여 쿼릭스 서버와의 접속이 종료되었습니다."));
    EXPECT_FALSE(m.peer.GetSslSocket().IsSecure());
}

TEST_F(SigninTest, MalformedFramesLeaveTheSessionWorking)
{
    TraceCapture trace;
    ASSERT_TRUE(SignIn());
    const char* chunks[] = { "ZZZZ 1\\r\\n", "\\r\\n", "%%%% %zz\\r\\n", "301 424242\\r\\n",
        "LSTA -1 -1 -5\\r\\n", "LSTA 9 9 2000000000 3\\r\\n1 1", "CRP2 0 DP k 5\\r\\nPING", " 0\\r\\n",
        "LIN2\\r\\n", "INFY 0\\r\\n", "TICK\\r\\nKIL\\t0\\r\\n" };
    for (const char* chunk : chunks)
        Raw(chunk);
    Raw("TICK 0 done\\r\\n"); // a last, sound frame tells when the client has been through all of them
    ASSERT_TRUE(PumpUntil([&] { return m.me.WebTicket == L"done"; }));
    ASSERT_TRUE(KeepAlivePeriod());
    EXPECT_FALSE(screens.Has(kReset));
    EXPECT_EQ(m.buddies.GetCount(), static_cast<size_t>(kBuddies));
}

TEST_F(SigninTest, OversizedFrameOrEndlessLineIsAReceiveErrorAndSigningInAgainWorks)
{
    for (const std::string& data :
        { std::string("CRP2 0 DP k 99999999\\r\\nxx"), "PING " + std::string(70000, '7') }) {
        screens.calls.clear();
        ASSERT_TRUE(SignIn());
        Raw(data);
        ASSERT_TRUE(SessionEnded());
        EXPECT_EQ(screens.Count(kReceiveError), 1u);
    }
}
