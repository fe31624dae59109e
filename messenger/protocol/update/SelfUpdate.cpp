#include "messenger/protocol/update/SelfUpdate.h"

#include "messenger/MessengerScreens.h"
#include "messenger/UpgradeView.h"
#include "messenger/protocol/connection/TarvPeer.h"
#include "messenger/protocol/login/PktHandlerPver.h"
#include "messenger/protocol/update/UpdateDownload.h"
#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "platform/system/FileSystem.h"
#include "ux/core/UxPath.h"
#include "ux/core/UxPathResolver.h"
#include "ux/core/UxText.h"
#include "ux/markup/UxIniReader.h"

#include <cstdlib>

namespace {

constexpr int32_t kOptional = 0;
constexpr int32_t kForced = 2;
constexpr int32_t kYes = 2;
constexpr int32_t kNo = 3;
// Descriptors are read as UTF-8.
constexpr int kUtf8 = 2;

constexpr const wchar_t* kDescriptorPath = L"/Upgrade/Upgrade_wm10.ipml";
constexpr const wchar_t* kDescriptorName = L"_Quorix.inf";
constexpr const wchar_t* kPackageName = L"_Quorix.cab";

constexpr const wchar_t* kWindowClass = L"SelfUpdateWindow";
constexpr plat::UINT kQuestionClosedMessage = plat::WM_USER + 1;

std::wstring DataPath(const wchar_t* name)
{
    UxPathResolver* resolver = UxPathResolver::GetInstance();
    return resolver ? resolver->Resolve(3, name) : std::wstring();
}

void Alert(const std::wstring& text)
{
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        screens->ShowMsgBox(text);
}

} // namespace

SelfUpdate::SelfUpdate() = default;

SelfUpdate::~SelfUpdate()
{
    // The download reports nothing once it is gone, so the box can go after it.
    m_download.reset();
    m_box.reset();
    if (m_window)
        plat::DestroyWindow(m_window);
}

std::wstring SelfUpdate::GetDescriptorUrl()
{
    const char* configured = std::getenv("QUORIX_UPDATE_URL");
    std::wstring host = configured && *configured ? FromUtf8(configured) : L"http://localhost";
    while (!host.empty() && host.back() == L'/')
        host.pop_back();
    return host + kDescriptorPath;
}

std::wstring SelfUpdate::DecodeMessage(const std::wstring& value)
{
    std::wstring text = UrlDecode(value);
    ReplaceAll(text, L"\r\n", L"\n");
    return text;
}

void SelfUpdate::Offer(TarvPeer* peer, int32_t flag)
{
    m_peer = peer;
    m_generation = peer ? peer->GetGeneration() : 0;
    m_flag = flag;
    m_question = 0; // a question of an earlier offer closing later is no answer to this one
    if (!DownloadDescriptor(GetDescriptorUrl(), DataPath(kDescriptorName)))
        ContinueLogin();
}

bool SelfUpdate::DownloadDescriptor(const std::wstring& url, const std::wstring& path)
{
    m_download
        = std::make_unique<UpdateDownload>(url, path, nullptr, [this](bool ok) { OnDescriptorDone(ok); });
    m_download->SetMaxBodySize(kMaxDescriptor);
    return m_download->Start();
}

bool SelfUpdate::IsOfferedConnection() const
{
    return m_peer && m_peer->GetGeneration() == m_generation && m_peer->GetStage() == TarvPeer::StageDispatch
        && !m_peer->IsResetPending();
}

void SelfUpdate::ContinueLogin()
{
    // A dispatch connection that went while the user thought it over cannot take the
    // login any further: end the attempt rather than leave it waiting for ever.
    if (!IsOfferedConnection() || !PktHandlerPver::ContinueLogin(m_peer))
        if (m_peer)
            m_peer->EndSession(L"서버에 접속할 수 없습니다.");
}

void SelfUpdate::OnDescriptorDone(bool ok)
{
    m_download.reset();
    // Cancelled meanwhile, or another sign-in has begun: this offer is over.
    if (!IsOfferedConnection())
        return;
    if (!ok) {
        ContinueLogin();
        return;
    }
    if (m_flag == kForced)
        Ask(&SelfUpdate::OnForcedUpgradeAnswer);
    else if (m_flag == kOptional)
        Ask(&SelfUpdate::OnOptionalUpgradeAnswer);
    else
        UxTrace(L"SelfUpdate::OnDescriptorDone, an update of kind %d is not taken.\n", m_flag);
}

void SelfUpdate::Ask(UxPopupCallback callback)
{
    UxIniReader descriptor;
    descriptor.Load(DataPath(kDescriptorName), kUtf8);
    std::wstring message = DecodeMessage(descriptor.GetValue(L"main", L"msg"));
    if (message.size() > kMaxMessage) {
        UxTrace(L"SelfUpdate::Ask, a message of %u characters is cut to %u.\n",
            static_cast<unsigned>(message.size()), static_cast<unsigned>(kMaxMessage));
        message.resize(kMaxMessage);
    }
    MessengerScreens* screens = MessengerScreens::GetCurrent();
    m_question = ++m_questions;
    // A question nobody can see is a question declined.
    if (!screens || !screens->ShowConfirmBox(message, callback, reinterpret_cast<uintptr_t>(this)))
        callback(reinterpret_cast<uintptr_t>(this), nullptr, kNo);
}

void SelfUpdate::OnForcedUpgradeAnswer(uintptr_t context, UxPopup*, int32_t result)
{
    auto* self = reinterpret_cast<SelfUpdate*>(context);
    if (result == kYes)
        self->InstallPackage();
    else if (result == kNo && self->m_peer)
        self->m_peer->EndSession(L"업그레이드가 취소되었습니다.");
    else if (result != kNo)
        self->OnQuestionClosed();
}

void SelfUpdate::OnOptionalUpgradeAnswer(uintptr_t context, UxPopup*, int32_t result)
{
    auto* self = reinterpret_cast<SelfUpdate*>(context);
    if (result == kYes)
        self->InstallPackage();
    else if (result == kNo)
        self->ContinueLogin();
    else
        self->OnQuestionClosed();
}

void SelfUpdate::OnQuestionClosed()
{
    // The box that closed the question is still opening, or is the alert of a session
    // that is ending: nothing is sent or shown from inside its opening.
    if (!m_window)
        m_window = plat::CreateMessageWindow(kWindowClass, &SelfUpdate::WindowProc, reinterpret_cast<intptr_t>(this));
    if (!m_window || !plat::PostMessageW(m_window, kQuestionClosedMessage, m_question, 0)) {
        UxTrace(L"SelfUpdate::OnQuestionClosed, the answer cannot wait for the message loop.\n");
        OnQuestionClosedLater(m_question);
    }
}

void SelfUpdate::OnQuestionClosedLater(uint32_t question)
{
    if (question == 0 || question != m_question || !IsOfferedConnection())
        return; // a later offer, or the session ended meanwhile
    m_question = 0;
    if (m_flag == kForced) {
        // Not updated, so not signed in; the box that took the question's place stays
        // to be read rather than give way to the cancel alert.
        m_peer->RequestReset();
        return;
    }
    ContinueLogin();
}

plat::LRESULT SelfUpdate::WindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (message == kQuestionClosedMessage) {
        if (auto* self = reinterpret_cast<SelfUpdate*>(plat::GetWindowLongPtrW(window, plat::GWLP_USERDATA)))
            self->OnQuestionClosedLater(static_cast<uint32_t>(wParam));
        return 0;
    }
    return plat::DefWindowProcW(window, message, wParam, lParam);
}

void SelfUpdate::InstallPackage()
{
    UxIniReader descriptor;
    descriptor.Load(DataPath(kDescriptorName), kUtf8);
    DownloadToFile(descriptor.GetValue(L"main", L"url"), DataPath(kPackageName));
}

bool SelfUpdate::DownloadToFile(const std::wstring& url, const std::wstring& path)
{
    // An earlier package's opener may still answer: that answer is not this update's.
    m_opening = 0;
    if (TarvPeer* peer = TarvPeer::GetInstance())
        peer->RequestReset();
    if (MessengerScreens* screens = MessengerScreens::GetCurrent())
        m_box = screens->ShowUpgradeBox();
    m_packagePath = path;
    m_download = std::make_unique<UpdateDownload>(
        url, path,
        [this](int32_t done, int32_t total) {
            if (m_box)
                m_box->OnProgress(done, total);
        },
        [this](bool ok) { OnPackageDone(ok); });
    if (m_download->Start())
        return true;
    OnPackageDone(false);
    return false;
}

void SelfUpdate::OnPackageDone(bool ok)
{
    m_download.reset();
    if (!ok) {
        m_box.reset();
        Alert(L"업그레이드에 실패하였습니다.\n\n네트워크 상태 또는 디스크 공간 확인 후 재시도 해 주시기 바랍니다.");
        return;
    }
    // The box stays while the desktop's opener takes the package. Its answer comes
    // through the message loop, to this update if it is still the one waiting.
    const uint32_t opening = m_opening = ++s_openings;
    ShellOpen(m_packagePath, [opening](bool opened) {
        SelfUpdate* update = GetInstance();
        if (update && update->m_opening == opening)
            update->OnOpened(opened);
    });
}

void SelfUpdate::OnOpened(bool opened)
{
    m_opening = 0;
    if (opened) {
        // The opener has the package now; the box stays until the program has ended.
        plat::PostQuitMessage(0);
        return;
    }
    m_box.reset();
    Alert(FormatString(L"내려받은 업데이트 파일을 열 수 없습니다.\n\n%s",
        FromUtf8(plat::NativePath(m_packagePath)).c_str()));
}
