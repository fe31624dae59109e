#include "platform/system/ConnectionManager.h"

#include <mutex>
#include <set>

namespace plat {

namespace {

    struct ConnectionState {
        std::mutex lock;
        HRESULT failure = S_OK;
        HCONNECTION nextHandle = 1;
        std::set<HCONNECTION> open;
    };

    ConnectionState& State()
    {
        static ConnectionState state;
        return state;
    }

} // namespace

HRESULT ConnMgrEstablishConnectionSync(
    const CONNMGR_CONNECTIONINFO* info, HCONNECTION* connection, uint32_t, uint32_t* status)
{
    if (!info || !connection)
        return E_INVALIDARG;
    ConnectionState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.failure < 0) {
        *connection = 0;
        return s.failure;
    }
    *connection = s.nextHandle++;
    s.open.insert(*connection);
    if (status)
        *status = CONNMGR_STATUS_CONNECTED;
    return S_OK;
}

HRESULT ConnMgrReleaseConnection(HCONNECTION connection, int32_t)
{
    ConnectionState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return s.open.erase(connection) ? S_OK : E_INVALIDARG;
}

void SetConnectionFailure(HRESULT result)
{
    ConnectionState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    s.failure = result;
}

uint32_t GetOpenConnectionCount()
{
    ConnectionState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    return uint32_t(s.open.size());
}

} // namespace plat
