#pragma once

#include <string>

// A URL split into scheme, host, port and path (the path without its leading '/',
// escaped for the request line).
class UxUrl {
public:
    enum SchemeKind { Http = 0, Https = 1, Other = 2 };

    explicit UxUrl(const std::wstring& text);

    std::wstring scheme;
    int schemeKind = Other;
    std::wstring host;
    int port = 80;
    std::wstring path;
};
