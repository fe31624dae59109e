#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxThread.h"
#include "ux/net/UxHttpClient.h"
#include "ux/net/UxHttpListener.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// One HTTP GET into a file, on a thread of its own so that the window goes on drawing
// and taking input while it runs. The body is written under a temporary name and takes
// the file's name only once all of it has arrived (the end its Content-Length or last
// chunk declared reached, or, declaring none, ended by the server's orderly close), so a
// download that fails, is cut short, reset or stalls leaves no file behind; a stall ends
// with the socket's receive time-out. Progress and the end are reported on the UI thread.
class UpdateDownload : private UxThread, private UxHttpListener {
public:
    // done of total bytes (total 0 while unknown). A report the UI thread has not taken
    // yet is replaced by the next, so a fast download cannot flood the queue.
    using ProgressHandler = std::function<void(int32_t done, int32_t total)>;
    // Once, after the last progress report. It may delete the download.
    using DoneHandler = std::function<void(bool ok)>;

    UpdateDownload(std::wstring url, std::wstring path, ProgressHandler progress, DoneHandler done);
    // A download under way is aborted and its thread waited for; it writes nothing.
    ~UpdateDownload() override;
    UpdateDownload(const UpdateDownload&) = delete;
    UpdateDownload& operator=(const UpdateDownload&) = delete;

    // Bodies larger than this fail (before Start; the HTTP client's bound otherwise).
    void SetMaxBodySize(size_t bytes);
    // Removes the file and its temporary, then starts. False when nothing could start.
    bool Start();

    // Where the body waits until it is whole; start-up removes what a crash left there.
    static std::wstring TemporaryPath(const std::wstring& path) { return path + L".part"; }

private:
    uint32_t Run() override;
    bool Fetch();
    int OnReceived(int32_t bytes) override;
    // Worker thread: the UI thread reads the counts when it gets to it.
    void PostProgress();
    static plat::LRESULT WindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
    void OnMessage(plat::UINT message, bool ok);

    const std::wstring m_url;
    const std::wstring m_path;
    ProgressHandler m_onProgress;
    DoneHandler m_onDone;
    UxHttpClient m_client;
    size_t m_maxBody = UxHttpClient::kDefaultMaxResponseSize;
    plat::HWND m_window = nullptr;
    std::atomic<int32_t> m_doneBytes { 0 };
    std::atomic<int32_t> m_totalBytes { 0 };
    std::atomic<bool> m_progressPosted { false };
    // Worker thread only: the answer being received is a redirect.
    bool m_headSeen = false;
    bool m_redirected = false;
};
