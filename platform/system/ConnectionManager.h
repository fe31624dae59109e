#pragma once

// The packet-data connection manager. A desktop's network is always up, so a request
// succeeds at once with a fresh handle; tests can make requests fail.

#include <cstdint>

namespace plat {

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = int32_t(0x80004005);
constexpr HRESULT E_INVALIDARG = int32_t(0x80070057);

constexpr uint32_t CONNMGR_PARAM_GUIDDESTNET = 0x1;
constexpr uint32_t CONNMGR_PRIORITY_USERINTERACTIVE = 0x08000;
constexpr uint32_t CONNMGR_STATUS_CONNECTED = 0x10;

struct GUID {
    uint32_t Data1 = 0;
    uint16_t Data2 = 0;
    uint16_t Data3 = 0;
    uint8_t Data4[8] = {};
};

// The Internet destination network.
constexpr GUID IID_DestNetInternet
    = { 0x436EF144, 0xB4FB, 0x4863, { 0xA0, 0x41, 0x8F, 0x90, 0x5A, 0x62, 0xC5, 0x72 } };

struct CONNMGR_CONNECTIONINFO {
    uint32_t cbSize = 0; // 64, the size of the record on the phone
    uint32_t dwParams = 0;
    uint32_t dwFlags = 0;
    uint32_t dwPriority = 0;
    int32_t bExclusive = 0;
    int32_t bDisabled = 0;
    GUID guidDestNet;
    void* hWnd = nullptr;
    uint32_t uMsg = 0;
    intptr_t lParam = 0;
};

using HCONNECTION = uintptr_t; // 0 = none

// Brings the connection up, waiting at most timeoutMs. E_INVALIDARG for a missing info
// or handle; otherwise S_OK with a new handle and CONNMGR_STATUS_CONNECTED, or the
// injected failure.
HRESULT ConnMgrEstablishConnectionSync(
    const CONNMGR_CONNECTIONINFO* info, HCONNECTION* connection, uint32_t timeoutMs, uint32_t* status);
// Lets go of a handle (cache > 0 lets the platform keep the link up); E_INVALIDARG for a
// handle that is not open.
HRESULT ConnMgrReleaseConnection(HCONNECTION connection, int32_t cache);

// Tests: the result every later request gets (S_OK restores success), and how many
// handles are open.
void SetConnectionFailure(HRESULT result);
uint32_t GetOpenConnectionCount();

} // namespace plat
