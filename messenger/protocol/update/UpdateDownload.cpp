#include "messenger/protocol/update/UpdateDownload.h"

#include "platform/event/MessageQueue.h"
#include "platform/event/Window.h"
#include "platform/system/FileSystem.h"
#include "ux/core/UxText.h"
#include "ux/net/UxHttpBody.h"
#include "ux/net/UxHttpHead.h"

namespace {

constexpr const wchar_t* kWindowClass = L"UpdateDownloadWindow";
constexpr plat::UINT kProgressMessage = plat::WM_USER + 1;
constexpr plat::UINT kDoneMessage = plat::WM_USER + 2;

} // namespace

UpdateDownload::UpdateDownload(std::wstring url, std::wstring path, ProgressHandler progress, DoneHandler done)
    : m_url(std::move(url))
    , m_path(std::move(path))
    , m_onProgress(std::move(progress))
    , m_onDone(std::move(done))
{
    m_client.SetListener(this);
}

void UpdateDownload::SetMaxBodySize(size_t bytes)
{
    m_maxBody = bytes;
    // What is received is bounded too: a head and such a body.
    m_client.SetMaxResponseSize(UxHttpClient::kMaxHeadSize + bytes);
}

UpdateDownload::~UpdateDownload()
{
    m_client.Abort();
    Join();
    if (m_window)
        plat::DestroyWindow(m_window);
}

bool UpdateDownload::Start()
{
    // Whatever an earlier download left goes first: a failure must leave nothing.
    plat::DeleteFile(m_path);
    plat::DeleteFile(TemporaryPath(m_path));
    if (!m_window)
        m_window = plat::CreateMessageWindow(kWindowClass, &UpdateDownload::WindowProc, reinterpret_cast<intptr_t>(this));
    return m_window && !m_url.empty() && UxThread::Start();
}

uint32_t UpdateDownload::Run()
{
    const bool ok = Fetch();
    plat::PostMessageW(m_window, kDoneMessage, ok ? 1 : 0, 0);
    return 0;
}

bool UpdateDownload::Fetch()
{
    if (!m_client.Request(m_url)) {
        UxTrace(L"UpdateDownload::Fetch, %s could not be fetched.\n", m_url.c_str());
        return false;
    }
    if (m_client.GetStatus() >= 400) {
        UxTrace(L"UpdateDownload::Fetch, %s answered %d.\n", m_url.c_str(), m_client.GetStatus());
        return false;
    }
    // The exchange ended when the server closed. An orderly close ends a body without a
    // declared end; one with a length or chunks must reach what it declared.
    const UxMemoryWriter& response = m_client.GetResponse();
    std::string chunks;
    const uint8_t* body = nullptr;
    size_t length = 0;
    const UxHttpBody::Result read
        = UxHttpBody::Read(response.GetData(), response.GetSize(), chunks, &body, &length);
    if (read != UxHttpBody::Whole && !(read == UxHttpBody::Undeclared && m_client.ClosedInOrder())) {
        UxTrace(L"UpdateDownload::Fetch, the body of %s (%u bytes) is %s.\n", m_url.c_str(),
            static_cast<unsigned>(m_client.GetBodyLength()), UxHttpBody::Describe(read));
        return false;
    }
    if (length > m_maxBody) {
        UxTrace(L"UpdateDownload::Fetch, %s is larger than %u bytes.\n", m_url.c_str(),
            static_cast<unsigned>(m_maxBody));
        return false;
    }
    if (!plat::WriteWholeFile(m_path, TemporaryPath(m_path), body, length)) {
        UxTrace(L"UpdateDownload::Fetch, %s could not be written.\n", m_path.c_str());
        return false;
    }
    // Of a body without a declared length the size was known only at its end: all of
    // it is there now.
    if (read == UxHttpBody::Undeclared) {
        m_totalBytes = m_doneBytes.load();
        PostProgress();
    }
    return true;
}

void UpdateDownload::PostProgress()
{
    if (!m_progressPosted.exchange(true))
        plat::PostMessageW(m_window, kProgressMessage, 0, 0);
}

int UpdateDownload::OnReceived(int32_t bytes)
{
    // The counts start again with every exchange; the few bytes of a redirect are not the
    // file's progress, and would flash a full bar before it drops back.
    if (done == bytes)
        m_headSeen = false;
    if (!m_headSeen) {
        const UxMemoryWriter& response = m_client.GetResponse();
        const size_t end = UxHttpHead::FindEnd(response.GetData(), response.GetSize());
        if (end == UxHttpHead::npos)
            return 1;
        int status = 0;
        m_headSeen = true;
        m_redirected = UxHttpHead::ParseStatus(response.GetData(), end, &status) && status >= 300 && status <= 399;
    }
    if (m_redirected)
        return 1;
    m_doneBytes = done;
    m_totalBytes = total;
    PostProgress();
    return 1;
}

plat::LRESULT UpdateDownload::WindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam)
{
    if (message == kProgressMessage || message == kDoneMessage) {
        if (auto* download = reinterpret_cast<UpdateDownload*>(plat::GetWindowLongPtrW(window, plat::GWLP_USERDATA)))
            download->OnMessage(message, wParam != 0);
        return 0;
    }
    return plat::DefWindowProcW(window, message, wParam, lParam);
}

void UpdateDownload::OnMessage(plat::UINT message, bool ok)
{
    if (message == kProgressMessage) {
        m_progressPosted = false;
        if (m_onProgress)
            m_onProgress(m_doneBytes, m_totalBytes);
        return;
    }
    Join();
    // The handler may delete this download: nothing of it is touched after the call.
    DoneHandler handler = m_onDone;
    if (handler)
        handler(ok);
}
