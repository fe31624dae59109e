#pragma once

// Shared body of the fuzz targets that play the update host. An input is a byte of
// choices, then what the service answers to the version check (its frames, up to the
// first separator), then one HTTP answer per connection the update makes (the
// descriptor, redirects, the package), each after a separator "\n--next--\n"; a
// connection after the last answer gets nothing and is closed. A target of long inputs
// takes the byte of choices from the end instead (Choices::Last). The real SelfUpdate,
// UpdateDownload, question box and progress box run on a headless desktop with the
// default skin, the desktop's opener is replaced and the message loop turns only when a
// message is there.
//
// Choices: bits 0-1 the answer to the question (0 Yes, 1 No, 2 a newer popup closes it,
// 3 the run ends with it open); 0x04 the opener fails; 0x08 the sign-in is cancelled
// while the descriptor downloads; 0x10 a newer popup closes the progress box at its
// first report; 0x20 the screens can show no box; 0x40 the session is reset while the
// question is open, before it is answered; 0x80 the popup that closes the question
// (answer 2) is the alert of the session ending, not a notice.
//
// Every connection the process makes lands on the stand-in host, whatever address a
// descriptor or a redirect names, and no name is looked up: nothing leaves the machine
// and nothing waits on a resolver. (This header defines connect for the whole program:
// a target includes it once.)

#include "app/shell/MessageBoxes.h"
#include "app/update/UpgradeBox.h"
#include "fuzz/DefaultSkin.h"
#include "fuzz/FontLeak.h"
#include "fuzz/MessengerFuzz.h"
#include "fuzz/SplitReplyServer.h"
#include "messenger/protocol/update/SelfUpdate.h"
#include "platform/event/Window.h"
#include "platform/net/HostLookup.h"
#include "platform/system/Shell.h"
#include "tests/support/DesktopFixture.h"
#include "tests/support/TempFolder.h"
#include "ux/core/UxPopupControl.h"
#include "ux/core/UxPopupInstance.h"
#include "ux/graphics/UxFontPool.h"
#include "ux/markup/UxXmlSkinHelper.h"

#include <arpa/inet.h>
#include <atomic>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace updatefuzz {

inline std::atomic<int> hostPort { 0 };

constexpr const char* kSeparator = "\n--next--\n";

enum Choice : uint8_t {
    AnswerMask = 0x03,
    AnswerYes = 0,
    AnswerNo = 1,
    AnswerClosed = 2,
    AnswerLeftOpen = 3,
    OpenerFails = 0x04,
    CancelSignIn = 0x08,
    CloseProgressBox = 0x10,
    NoBoxes = 0x20,
    ResetWhileAsked = 0x40,
    ClosedBySessionEnd = 0x80,
};

// Where an input keeps its byte of choices.
enum class Choices { First, Last };

// The desktop, the default skin, the update host and a data folder in memory (downloads
// are written with fsync), made once for the whole run.
class Host {
public:
    Host()
    {
        plat::SetTraceHook([](const std::wstring&) {});
        new UxFontPool;
        UseDefaultSkin(*new UxPathResolver, *new UxDeviceImagePool);
        skin.LoadFile(L"Image\\Skin.dat");
        if (access("/dev/shm", W_OK) == 0)
            setenv("TMPDIR", "/dev/shm", 1);
        data = new TempFolder;
        UxPathResolver::GetInstance()->SetBase(3, data->Designed());
        hostPort = server.Port();
        setenv("QUORIX_UPDATE_URL", ("http://127.0.0.1:" + std::to_string(server.Port())).c_str(), 1);
        plat::SetShellOpenHook([this](const std::wstring&) { return openerWorks; });
        // Every name is this machine, and nothing is looked up.
        plat::SetHostResolverHook([](const std::string&, uint32_t* address) {
            *address = htonl(INADDR_LOOPBACK);
            return true;
        });
    }

    DesktopFixture desktop;
    UxXmlSkinHelper skin;
    SplitReplyServer server { true, false };
    TempFolder* data = nullptr; // kept to the end of the run with its files
    bool openerWorks = true;
};

// The boxes of the real screens, answered as the choices say; everything else recorded.
class Screens : public RecordingScreens {
public:
    Screens(uint8_t choices, TarvPeer& peer)
        : m_choices(choices)
        , m_peer(peer)
    {
    }

    bool ShowMsgBox(const std::wstring& text) override
    {
        RecordingScreens::ShowMsgBox(text);
        return !(m_choices & NoBoxes) && ::ShowMsgBox(text);
    }
    bool ShowConfirmBox(const std::wstring& text, UxPopupCallback callback, uintptr_t context) override
    {
        if (m_choices & NoBoxes || !::ShowConfirmBox(text, callback, context))
            return false;
        questionOpen = true;
        return true;
    }
    std::unique_ptr<UpgradeView> ShowUpgradeBox() override
    {
        if (m_choices & NoBoxes)
            return nullptr;
        return std::make_unique<ProgressView>(UpgradeBox::Show(), m_choices & CloseProgressBox);
    }

    // Answers the open question as the choices say; false when it stays open.
    bool Answer()
    {
        questionOpen = false;
        if (m_choices & ResetWhileAsked) {
            m_peer.RequestReset();
            plat::DispatchPending();
        }
        const uint8_t answer = m_choices & AnswerMask;
        if (answer == AnswerClosed && (m_choices & ClosedBySessionEnd)) {
            m_peer.EndSession(L"쿼릭스 서버와의 연결이 끊어졌습니다.");
            return true;
        }
        if (answer == AnswerClosed)
            return ::ShowMsgBox(L"알림");
        auto* box = dynamic_cast<UxPopupControl*>(UxPopupInstance::GetInstance()->GetPopup());
        return answer != AnswerLeftOpen && box && box->Close(answer == AnswerYes ? 2 : 3);
    }

    bool questionOpen = false;

private:
    // The progress box's view, which a newer popup may close at the first report.
    class ProgressView : public UpgradeView {
    public:
        ProgressView(std::unique_ptr<UpgradeView> box, bool closeAtFirst)
            : m_box(std::move(box))
            , m_closeAtFirst(closeAtFirst)
        {
        }
        void OnProgress(int32_t done, int32_t total) override
        {
            if (m_box)
                m_box->OnProgress(done, total);
            if (m_closeAtFirst && !m_reports++)
                ::ShowMsgBox(L"알림");
        }

    private:
        std::unique_ptr<UpgradeView> m_box;
        bool m_closeAtFirst;
        int m_reports = 0;
    };

    const uint8_t m_choices;
    TarvPeer& m_peer;
};

// What the screen shows needs no drawing while a download runs: the boxes are drawn
// when they open and the progress box's bar at each report, the rest would only repaint
// the dimmed screen again.
inline void SkipRepaint()
{
    plat::ValidateRect(UxDeviceWindow::GetInstance()->GetHandle(), nullptr);
}

// The message loop's turns while a download runs, then whatever is left (the opener's
// answer among it); a question is answered and the loop goes on.
inline void Settle(const SelfUpdate& update, Screens& screens)
{
    for (;;) {
        while (update.IsDownloading()) {
            SkipRepaint();
            plat::MSG msg;
            if (plat::GetMessageW(&msg, nullptr, 0, 0) > 0)
                plat::DispatchMessageW(&msg);
        }
        plat::DispatchPending();
        if (!screens.questionOpen || !screens.Answer())
            return;
    }
}

inline int Run(const uint8_t* data, size_t size, size_t maxSize, Choices at = Choices::First)
{
    static Host& host = *new Host;
    if (size == 0 || size > maxSize)
        return 0;
    const bool last = at == Choices::Last;
    const uint8_t choices = last ? data[size - 1] : data[0];
    const std::string input(reinterpret_cast<const char*>(data + (last ? 0 : 1)), size - 1);
    std::vector<std::string> answers;
    size_t end = input.find(kSeparator);
    const std::string service = input.substr(0, end);
    while (end != std::string::npos) {
        const size_t from = end + std::strlen(kSeparator);
        end = input.find(kSeparator, from);
        answers.push_back(input.substr(from, end == std::string::npos ? std::string::npos : end - from));
    }
    answers.emplace_back();
    host.server.SetReplies(std::move(answers));
    host.openerWorks = !(choices & OpenerFails);
    plat::DeleteFile(host.data->Designed("_Quorix.inf"));
    plat::DeleteFile(host.data->Designed("_Quorix.cab"));

    SignedInMessenger session;
    session.m.peer.SetStage(TarvPeer::StageDispatch);
    session.m.pending.Add(PendingRequest(L"PVER", 1));
    Screens screens(choices, session.m.peer);
    auto update = std::make_unique<SelfUpdate>();
    session.m.peer.Receive(service);
    if (choices & CancelSignIn)
        session.m.peer.RequestReset();
    Settle(*update, screens);
    // As at shut-down: the open popup closes before the update goes.
    if (auto* popup = dynamic_cast<UxPopupControl*>(UxPopupInstance::GetInstance()->GetPopup()))
        popup->Close(0);
    update.reset();
    SkipRepaint();
    plat::DispatchPending();
    plat::MSG quit;
    while (plat::PeekMessageW(&quit, nullptr, plat::WM_QUIT, plat::WM_QUIT, plat::PM_REMOVE)) {
    }
    return 0;
}

} // namespace updatefuzz

// Every IPv4 connection goes to the update host's port on this machine.
extern "C" int connect(int socket, const sockaddr* address, socklen_t length)
{
    if (address && address->sa_family == AF_INET && length >= sizeof(sockaddr_in)) {
        sockaddr_in host;
        std::memcpy(&host, address, sizeof host);
        host.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        host.sin_port = htons(static_cast<uint16_t>(updatefuzz::hostPort.load()));
        return static_cast<int>(syscall(SYS_connect, socket, &host, sizeof host));
    }
    return static_cast<int>(syscall(SYS_connect, socket, address, length));
}
