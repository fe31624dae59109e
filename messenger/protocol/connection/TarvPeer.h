#pragma once

#include "ux/core/UxSingleton.h"
#include "ux/net/UxTcpPeer.h"

#include <cstddef>
#include <cstdint>
#include <string>

class Pkt;

// The one connection to the messenger service, in two stages: 0 the dispatch server
// (plain), 1 the main server it names (TLS). Cuts the received bytes into frames, makes
// a packet and a handler for each, routes failure replies to the request they answer,
// and ends the session with an alert when the connection fails.
class TarvPeer : public UxSingleton<TarvPeer>, public UxTcpPeer {
public:
    enum Stage { StageDispatch = 0, StageMain = 1 };

    TarvPeer();
    ~TarvPeer() override;

    // Serialises the packet and sends it; a packet with an id is kept as pending until
    // its reply, unless the service never answers it. The caller keeps the packet. False
    // when the bytes could not be queued; what the packet carries is then not pending
    // either.
    bool Send(Pkt& packet);

    // Stage 0 towards QUORIX_DISPATCH_HOST (default "localhost") on port 5004 or
    // QUORIX_DISPATCH_PORT, without TLS.
    bool ConnectDispatch();
    // Closes any connection and connects to host and port in a TLS mode of UxSslSocket.
    virtual bool ConnectTo(const std::wstring& host, int port, int mode);
    virtual void Disconnect() { Close(); }

    int GetStage() const { return m_stage; }
    void SetStage(int stage) { m_stage = stage; }

    // Ends the session on the next turn of the message loop: the connection closes at
    // once (no more frames are cut from what was received), the rest of the reset runs
    // when nothing on the stack can still be using what it deletes. Asking again
    // before it ran changes nothing.
    void RequestReset();
    bool IsResetPending() const { return m_resetPending; }
    // The reset itself: keep-alive stopped, connection closed, stage 0, nothing pending,
    // the screens' part, the chat, memo, buddy and group lists emptied.
    void ResetSession();
    // The service closed the connection: what it sent before the close has been
    // handled by now, and may itself have ended the session with its own alert.
    void OnClosedLater();
    // The alert, then RequestReset; nothing when the session is already ending, so a
    // failure that brings others along shows one alert.
    void EndSession(const std::wstring& alert);

    // The sign-in waits for each of its steps (a connection, a request's answer) at most
    // kSignInStepSeconds from the step's start; a step left unanswered ends the session
    // with kNoAnswerAlert. Starting a step replaces the wait for the one before.
    void AwaitSignInStep(const wchar_t* step);
    // No step is waited for any more: the sign-in is through, over, or waits for the user.
    void EndSignInWait();
    bool IsAwaitingSignInStep() const { return m_signInTimer != 0; }
    // Gives up the sign-in in progress without a word to the service: the keep-alive
    // stops, the connection closes, stage 0, no step is waited for.
    void AbandonSignIn();

    void OnConnected() override;
    void OnConnectFailed(int error) override;
    void OnSent(const uint8_t*, int) override { }
    void OnSendError(int error) override;
    int GetPacketLength(const uint8_t* data, int size, int* length) override;
    // One complete frame; envelope handlers re-enter it with their inner frame.
    void OnPacket(const uint8_t* data, int length) override;
    // One frame through its packet and handler, as coming from peer (null: no connection,
    // as in tests); a failure reply is handled as the answer to its pending request. False
    // when nothing handled it. id is the frame's transaction id.
    static bool HandleFrame(const uint8_t* data, int length, TarvPeer* peer, int32_t& id);
    void OnRecvError(int error) override;
    void OnClosed() override;

    // A payload count above this, or a line this long without its end, is a receive
    // error.
    static constexpr uint32_t kMaxPayload = 16 * 1024 * 1024;
    static constexpr int kMaxLine = 64 * 1024;
    // Envelopes inside envelopes deeper than this are dropped.
    static constexpr int kMaxEnvelopeDepth = 4;
    static constexpr int kDispatchPort = 5004;
    static constexpr float kSignInStepSeconds = 30.0f;
    static constexpr const wchar_t* kNoAnswerAlert = L"서버의 응답이 없습니다. 잠시 후 다시 시도해 주세요.";

protected:
    // Where the serialised bytes go; tests catch them here.
    virtual bool SendBytes(const void* data, int size) { return UxTcpPeer::Send(data, size); }

private:
    static void OnSignInTimer(uintptr_t argument);
    void OnSignInStepMissed();

    int m_stage = StageDispatch;
    int m_depth = 0;
    bool m_resetPending = false;
    bool m_closedByPeer = false; // reported once the frames received with the close are handled
    plat::HWND m_window = nullptr;
    uint32_t m_signInTimer = 0; // the wait for the sign-in step's answer; 0 when none runs
    const wchar_t* m_signInStep = L"";
};
