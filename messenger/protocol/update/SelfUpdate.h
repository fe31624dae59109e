#pragma once

#include "platform/event/Message.h"
#include "ux/core/UxSingleton.h"
#include "ux/widgets/UxPopup.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class TarvPeer;
class UpdateDownload;
class UpgradeView;

// The update the version check offers. The descriptor is fetched and its message asked
// about; on Yes the session ends, the package is fetched under the progress box and
// handed to the desktop's opener, and the program quits once the opener has taken it (it
// stays, with an alert saying where the package lies, when the opener fails). Both files
// are kept in the data folder (path base 3) as "_Quorix.inf" and "_Quorix.cab" until the
// next start removes them; nothing downloaded is ever run by the program itself. The
// downloads run beside the message loop, one at a time.
class SelfUpdate : public UxSingleton<SelfUpdate> {
public:
    SelfUpdate();
    // A download under way is aborted first.
    ~SelfUpdate() override;

    // The version check's answer asked for an update (0 optional, 2 forced, 3 a word
    // nobody knows). The login goes on only when there is no descriptor to be had.
    void Offer(TarvPeer* peer, int32_t flag);

    // A descriptor or package download is under way.
    bool IsDownloading() const { return m_download != nullptr; }

    // GET url into path beside the loop. The descriptor's end shows the question (or
    // continues the login when it failed); the package's end opens it, or alerts.
    bool DownloadDescriptor(const std::wstring& url, const std::wstring& path);
    // Ends the session and shows the progress box first.
    bool DownloadToFile(const std::wstring& url, const std::wstring& path);

    // The question box's answers: 2 Yes, 3 No, 0 when a newer popup closed it. A question
    // another box closed is taken as No once that box is up: an optional update goes on
    // with the sign-in, a forced one ends it and leaves the newer box to be read.
    static void OnForcedUpgradeAnswer(uintptr_t context, UxPopup* box, int32_t result);
    static void OnOptionalUpgradeAnswer(uintptr_t context, UxPopup* box, int32_t result);

    // A descriptor is a few lines: larger ones are refused, as if there were none. Of
    // its message the question shows this many characters.
    static constexpr size_t kMaxDescriptor = 64 * 1024;
    static constexpr size_t kMaxMessage = 4096;

    // The update host (QUORIX_UPDATE_URL, else http://localhost) and the descriptor's path.
    static std::wstring GetDescriptorUrl();
    // What the question box shows of a descriptor's "msg": percent-decoded, each CR LF
    // as one line feed.
    static std::wstring DecodeMessage(const std::wstring& value);

private:
    void OnDescriptorDone(bool ok);
    void OnPackageDone(bool ok);
    // The desktop's opener answered about the package.
    void OnOpened(bool opened);
    void Ask(UxPopupCallback callback);
    // The question was closed by a newer popup; acted on from the message loop, after that
    // popup has opened (or the session has ended, when it was the session's alert).
    void OnQuestionClosed();
    void OnQuestionClosedLater(uint32_t question);
    static plat::LRESULT WindowProc(plat::HWND window, plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
    void InstallPackage();
    // The sign-in the offer came with is still waiting on the dispatch server.
    bool IsOfferedConnection() const;
    void ContinueLogin();

    TarvPeer* m_peer = nullptr;
    uint32_t m_generation = 0;
    int32_t m_flag = 0;
    // The question on the screen (0: none); numbered, so that a question closed by another
    // box is acted on only while no later offer has come.
    uint32_t m_question = 0;
    uint32_t m_questions = 0;
    plat::HWND m_window = nullptr;
    std::wstring m_packagePath;
    // The package handed to the opener and not yet answered for (0: none); numbered
    // across updates, so an answer reaches only the update that asked.
    uint32_t m_opening = 0;
    static inline uint32_t s_openings = 0;
    std::unique_ptr<UpdateDownload> m_download;
    std::unique_ptr<UpgradeView> m_box;
};
