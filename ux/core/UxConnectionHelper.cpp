#include "ux/core/UxConnectionHelper.h"

bool UxConnectionHelper::Establish(uint32_t timeoutMs)
{
    // A handle still held would be overwritten and never given back.
    if (!Release())
        return false;
    plat::CONNMGR_CONNECTIONINFO info;
    info.cbSize = 64;
    info.dwParams = plat::CONNMGR_PARAM_GUIDDESTNET;
    info.dwFlags = 0;
    info.dwPriority = plat::CONNMGR_PRIORITY_USERINTERACTIVE;
    info.bExclusive = 0;
    info.guidDestNet = plat::IID_DestNetInternet;
    uint32_t status = 0;
    plat::HCONNECTION connection = 0;
    plat::HRESULT result = plat::ConnMgrEstablishConnectionSync(&info, &connection, timeoutMs, &status);
    m_connection = connection;
    return result >= 0;
}

bool UxConnectionHelper::Release()
{
    if (!m_connection)
        return true;
    if (plat::ConnMgrReleaseConnection(m_connection, 1) < 0)
        return false;
    m_connection = 0;
    return true;
}
