#include "ux/net/UxUrl.h"

#include "ux/core/UxText.h"

#include <cwchar>

UxUrl::UxUrl(const std::wstring& text)
{
    size_t hostStart = 0;
    size_t sep = text.find(L"://");
    if (sep != std::wstring::npos) {
        scheme = text.substr(0, sep);
        hostStart = sep + 3;
    }
    schemeKind = scheme == L"http" ? Http : scheme == L"https" ? Https : Other;

    size_t slash = text.find(L'/', hostStart);
    if (slash == std::wstring::npos) {
        host = text.substr(hostStart);
    } else {
        host = text.substr(hostStart, slash - hostStart);
        path = UrlEncode(text.substr(slash + 1), 0);
    }

    port = schemeKind == Https ? 443 : 80;
    size_t colon = host.find(L':');
    if (colon != std::wstring::npos) {
        // _wtol: leading digits, 0 when there are none; out-of-range values give 0 too
        // rather than wrapping into some other port.
        std::wstring digits = host.substr(colon + 1);
        host.resize(colon);
        long value = std::wcstol(digits.c_str(), nullptr, 10);
        port = (value >= 0 && value <= 65535) ? static_cast<int>(value) : 0;
    }
}
