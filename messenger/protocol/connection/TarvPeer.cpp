#include "messenger/protocol/connection/TarvPeer.h"

#include "messenger/MessengerScreens.h"
#include "messenger/model/BuddyList.h"
#include "messenger/model/ChatSessionList.h"
#include "messenger/model/GroupList.h"
#include "messenger/model/Me.h"
#include "messenger/model/MemoList.h"
#include "messenger/protocol/codec/PktFactory.h"
#include "messenger/protocol/codec/PktHandlerFactory.h"
#include "messenger/protocol/codec/PktNumbers.h"
#include "messenger/protocol/codec/PktStreamReader.h"
#include "messenger/protocol/connection/PktPendingList.h"
#include "messenger/protocol/connection/TarvPong.h"
#include "messenger/protocol/login/PktOutLin2.h"
#include "messenger/protocol/login/PktOutPver.h"
#include "messenger/protocol/login/SavedLogin.h"
#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "platform/net/NetError.h"
#include "ux/core/UxText.h"
#include "ux/core/UxTimerManager.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const wchar_t* kWindowClass = L"TarvPeerWindow";
constexpr plat::UINT kResetMessage = plat::WM_USER + 1;
constexpr plat::UINT kClosedMessage = plat::WM_USER + 2;
constexpr size_t kMaxFirstWord = 31;

plat::LRESULT WindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (message == kResetMessage || message == kClosedMessage) {
        auto* peer = reinterpret_cast<TarvPeer*>(plat::GetWindowLongPtrW(window, plat::GWLP_USERDATA));
        if (peer && message == kClosedMessage)
            peer->OnClosedLater();
        else if (peer && peer->IsResetPending())
            peer->ResetSession();
        return 0;
    }
    return plat::DefWindowProcW(window, message, wParam, lParam);
}

void Alert(const std::wstring& text)
{
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->ShowMsgBox(text);
}

bool IsBlank(uint8_t c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

TarvPeer::TarvPeer()
{
    m_window = plat::CreateMessageWindow(kWindowClass, WindowProc, reinterpret_cast<intptr_t>(this));
    // Room for the largest frame allowed plus what one readable event may bring.
    SetMaxReceiveSize(kMaxPayload + kMaxLine + kReadPerEvent + 4096);
}

TarvPeer::~TarvPeer()
{
    EndSignInWait();
    Close();
    if (m_window)
        plat::DestroyWindow(m_window);
}

bool TarvPeer::Send(Pkt& packet)
{
    packet.Serialize();
    const PktStreamWriter& bytes = packet.GetWriter();
    PktPendingList* pending = PktPendingList::GetInstance();
    if (!SendBytes(bytes.GetData(), static_cast<int>(bytes.GetSize()))) {
        // What an envelope that never went out carries waits for no answer either.
        if (pending && packet.GetInnerTransactionId() != 0)
            pending->Remove(packet.GetInnerTransactionId());
        return false;
    }
    if (pending && packet.GetTransactionId() != 0 && !packet.GetNoId() && packet.IsAnswered())
        pending->Add(packet);
    return true;
}

bool TarvPeer::ConnectDispatch()
{
    const char* host = std::getenv("QUORIX_DISPATCH_HOST");
    const char* port = std::getenv("QUORIX_DISPATCH_PORT");
    int number = port ? std::atoi(port) : 0;
    if (number <= 0 || number > 65535)
        number = kDispatchPort;
    m_stage = StageDispatch;
    if (!ConnectTo(host && *host ? FromUtf8(host) : L"localhost", number, UxSslSocket::Plain))
        return false;
    AwaitSignInStep(L"the dispatch server's connection");
    return true;
}

bool TarvPeer::ConnectTo(const std::wstring& host, int port, int mode)
{
    m_closedByPeer = false;
    return Connect(UxSocket::ResolveAddress(host, port), mode);
}

void TarvPeer::RequestReset()
{
    if (m_resetPending)
        return;
    m_resetPending = true;
    EndSignInWait();
    Disconnect();
    m_stage = StageDispatch;
    if (!m_window || !plat::PostMessageW(m_window, kResetMessage, 0, 0)) {
        UxTrace(L"TarvPeer::RequestReset, the reset cannot wait for the message loop.\n");
        ResetSession();
    }
}

void TarvPeer::ResetSession()
{
    m_resetPending = false;
    m_closedByPeer = false;
    AbandonSignIn();
    // No memo of this session is unread any more; the marks the screens put out follow.
    if (MemoList* memos = MemoList::GetInstance()) {
        memos->Unread = 0;
        memos->UnreadCount = 0;
    }
    // Answers of a closed connection never arrive.
    if (PktPendingList* pending = PktPendingList::GetInstance())
        pending->Clear();
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->ResetScreens();
    if (ChatSessionList* chats = ChatSessionList::GetInstance())
        chats->Clear();
    if (MemoList* memos = MemoList::GetInstance())
        memos->Clear();
    if (BuddyList* buddies = BuddyList::GetInstance())
        buddies->Clear();
    if (GroupList* groups = GroupList::GetInstance())
        groups->Clear();
    // The unread marks follow the lists just emptied.
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->UpdateNotifyIcons();
}

void TarvPeer::EndSession(const std::wstring& alert)
{
    if (m_resetPending)
        return; // the session is already ending; one alert is enough
    Alert(alert);
    RequestReset();
}

void TarvPeer::AwaitSignInStep(const wchar_t* step)
{
    EndSignInWait();
    UxTimerManager* timers = UxTimerManager::GetInstance();
    if (!timers)
        return;
    // Fires once: the duration is one interval.
    m_signInTimer = timers->Add(
        kSignInStepSeconds, kSignInStepSeconds, &TarvPeer::OnSignInTimer, reinterpret_cast<uintptr_t>(this));
    m_signInStep = step;
}

void TarvPeer::EndSignInWait()
{
    if (!m_signInTimer)
        return;
    if (UxTimerManager* timers = UxTimerManager::GetInstance())
        timers->Remove(m_signInTimer);
    m_signInTimer = 0;
}

void TarvPeer::OnSignInTimer(uintptr_t argument)
{
    reinterpret_cast<TarvPeer*>(argument)->OnSignInStepMissed();
}

void TarvPeer::OnSignInStepMissed()
{
    m_signInTimer = 0; // the timer removed itself
    UxTrace(L"TarvPeer, %s got no answer within %d s; the sign-in ends.\n", m_signInStep,
        static_cast<int>(kSignInStepSeconds));
    EndSession(kNoAnswerAlert);
}

void TarvPeer::AbandonSignIn()
{
    EndSignInWait();
    if (TarvPong* pong = TarvPong::GetInstance())
        pong->Stop();
    Disconnect();
    m_stage = StageDispatch;
}

void TarvPeer::OnConnected()
{
    if (m_stage == StageDispatch) {
        PktOutPver version;
        Send(version);
        AwaitSignInStep(L"PVER");
        return;
    }
    PktOutLin2 signIn;
    if (Me* me = Me::GetInstance()) {
        signIn.UserId = me->Id;
        signIn.Ticket = me->Ticket;
        signIn.PasswordDigest = me->PasswordDigest;
        signIn.Offline = me->LoginOffline;
    }
    signIn.Pcid = GetLoginPcid();
    Send(signIn);
    AwaitSignInStep(L"LIN2");
}

void TarvPeer::OnConnectFailed(int)
{
    EndSession(L"서버에 접속할 수 없습니다.");
}

void TarvPeer::OnSendError(int error)
{
    EndSession(FormatString(L"네트워크 송신 오류가 발생했습니다.\n\n오류 코드: %d", error));
}

void TarvPeer::OnRecvError(int error)
{
    EndSession(FormatString(L"네트워크 수신 오류가 발생했습니다.\n\n오류 코드: %d", error));
}

void TarvPeer::OnClosed()
{
    // The dispatch server hangs up once it has said where to go; that is no failure.
    if (m_stage != StageMain || m_resetPending || m_closedByPeer)
        return;
    // The close is reported before the frames that came with it (a sign-in elsewhere,
    // say): those go first, so the alert the user sees is theirs when they end the
    // session.
    m_closedByPeer = true;
    if (!m_window || !plat::PostMessageW(m_window, kClosedMessage, 0, 0))
        OnClosedLater();
}

void TarvPeer::OnClosedLater()
{
    // A handler of the frames that came with the close may have ended the sign-in itself
    // (a refused "LIN2" goes back to the form): that close was expected, not lost.
    if (!m_closedByPeer || m_stage != StageMain) {
        m_closedByPeer = false;
        return;
    }
    m_closedByPeer = false;
    EndSession(L"쿼릭스 서버와의 연결이 끊어졌습니다.");
}

int TarvPeer::GetPacketLength(const uint8_t* data, int size, int* length)
{
    *length = 0;
    // A session that is ending cuts no more frames from what was received.
    if (m_resetPending || size <= 0)
        return 0;
    const size_t available = static_cast<size_t>(size);
    const size_t searched = std::min(available, static_cast<size_t>(kMaxLine));
    const auto* lf = static_cast<const uint8_t*>(std::memchr(data, '\n', searched));
    if (!lf) {
        if (available >= static_cast<size_t>(kMaxLine)) {
            UxTrace(L"TarvPeer::GetPacketLength, a line of %d bytes has no end.\n", size);
            OnRecvError(plat::WSAEMSGSIZE);
        }
        return 0;
    }
    const size_t line = static_cast<size_t>(lf - data) + 1;

    std::string word;
    for (size_t i = 0; i < line && !IsBlank(data[i]) && word.size() < kMaxFirstWord; ++i)
        word += static_cast<char>(data[i]);
    const bool failureReply = ParseDecimal(FromUtf8(word), INT32_MIN, INT32_MAX) != 0;
    if (failureReply || !PktFactory::HasPayload(word)) {
        *length = static_cast<int>(line);
        return 0;
    }

    // The payload's byte count is the line's last word.
    size_t end = line - 1;
    if (end > 0 && data[end - 1] == '\r')
        --end;
    size_t space = end;
    while (space > 0 && data[space - 1] != ' ')
        --space;
    if (space == 0) {
        // Not a payload line after all: taken as a line of its own so that it cannot
        // hold up the frames behind it.
        *length = static_cast<int>(line);
        return 0;
    }
    std::string digits(reinterpret_cast<const char*>(data + space), end - space);
    const int64_t count = std::max<int64_t>(0, ParseDecimal(FromUtf8(digits), 0, INT64_MAX / 4));
    if (count > kMaxPayload) {
        UxTrace(L"TarvPeer::GetPacketLength, a payload of %lld bytes is refused.\n",
            static_cast<long long>(count));
        OnRecvError(plat::WSAEMSGSIZE);
        return 0;
    }
    if (available >= line + static_cast<size_t>(count))
        *length = static_cast<int>(line + static_cast<size_t>(count));
    return 0;
}

void TarvPeer::OnPacket(const uint8_t* data, int length)
{
    if (length <= 0)
        return;
    if (m_depth >= kMaxEnvelopeDepth) {
        UxTrace(L"TarvPeer::OnPacket, envelopes nested deeper than %d are dropped.\n", kMaxEnvelopeDepth);
        return;
    }
    struct Depth {
        int& depth;
        explicit Depth(int& d)
            : depth(d)
        {
            ++depth;
        }
        ~Depth() { --depth; }
    } depth(m_depth);

    int32_t id = 0;
    if (HandleFrame(data, length, this, id) && id != 0)
        if (PktPendingList* pending = PktPendingList::GetInstance())
            pending->Remove(id);
}

bool TarvPeer::HandleFrame(const uint8_t* data, int length, TarvPeer* peer, int32_t& id)
{
    PktStreamReader reader(data, static_cast<uint32_t>(length));
    PktHeader header;
    header.Read(reader);
    std::wstring command = header.GetCommand();
    id = header.GetTransactionId();
    const auto code = static_cast<int32_t>(ParseDecimal(command, INT32_MIN, INT32_MAX));
    if (code != 0) {
        // A failure reply carries only the code and the id of the request it answers.
        PktPendingList* pending = PktPendingList::GetInstance();
        const PktPendingList::Entry* entry = pending ? pending->Find(id) : nullptr;
        if (!entry)
            return false;
        command = entry->packet->GetCommand();
    }

    PktFactory* packets = PktFactory::GetInstance();
    PktHandlerFactory* handlers = PktHandlerFactory::GetInstance();
    std::unique_ptr<PktIn> packet = packets ? packets->Create(command, id) : nullptr;
    if (!packet)
        return false;
    std::unique_ptr<PktHandler> handler = handlers ? handlers->Create(command) : nullptr;
    if (!handler)
        return false;
    if (code != 0)
        packet->SetResult(code);
    else
        packet->Parse(reader);
    PktHandler::Invoke(*handler, peer, *packet);
    return true;
}
