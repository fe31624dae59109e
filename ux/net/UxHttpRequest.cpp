#include "ux/net/UxHttpRequest.h"

#include "ux/core/UxText.h"
#include "ux/net/UxHttpClient.h"
#include "ux/net/UxUrl.h"

#include <filesystem>
#include <random>

namespace {

std::wstring MakeBoundary()
{
    std::random_device random;
    std::wstring text(40, L'-');
    static const wchar_t hex[] = L"0123456789abcdef";
    for (int i = 0; i < 32; ++i)
        text += hex[random() & 15];
    return text;
}

std::string Narrow(const std::wstring& text)
{
    return ToUtf8(text);
}

} // namespace

// File paths may use the designed '\' separators.
std::filesystem::path UxHttpFilePath(const std::wstring& path)
{
    std::wstring p = path;
    for (auto& c : p) {
        if (c == L'\\')
            c = L'/';
    }
    return std::filesystem::path(ToUtf8(p));
}

UxHttpRequest::UxHttpRequest(UxHttpClient* client)
    : owner(client)
    , boundary(MakeBoundary())
{
}

std::string UxHttpRequest::BuildFormBody() const
{
    std::wstring body;
    for (const auto& f : owner->GetFormFields()) {
        if (!body.empty())
            body += L'&';
        body += f.name + L'=' + UrlEncode(f.value, 0);
    }
    return Narrow(body);
}

std::string UxHttpRequest::BuildPartHead(
    const std::wstring& name, const std::wstring& value, bool isFile) const
{
    std::wstring head = L"--" + boundary + L"\r\nContent-Disposition: form-data; name=\"" + name + L"\"";
    if (isFile)
        head += L"; filename=\"" + value + L"\"";
    head += L"\r\n\r\n";
    return Narrow(head);
}

std::string UxHttpRequest::BuildClosingLine() const
{
    return Narrow(L"--" + boundary + L"--\r\n");
}

int64_t UxHttpRequest::GetContentLength() const
{
    if (method == Get)
        return 0;
    switch (bodyKind) {
    case Form:
        return static_cast<int64_t>(BuildFormBody().size());
    case Multipart: {
        int64_t total = 0;
        for (const auto& f : owner->GetFormFields()) {
            total += static_cast<int64_t>(BuildPartHead(f.name, f.value, f.isFile != 0).size()) + 2;
            if (f.isFile) {
                std::error_code error;
                auto size = std::filesystem::file_size(UxHttpFilePath(f.value), error);
                if (error)
                    return -1;
                total += static_cast<int64_t>(size);
            } else {
                total += static_cast<int64_t>(Narrow(f.value).size());
            }
        }
        return total + static_cast<int64_t>(BuildClosingLine().size());
    }
    default:
        return static_cast<int64_t>(owner->GetRequestBody().GetSize());
    }
}

std::string UxHttpRequest::BuildHead(const UxUrl& url) const
{
    std::wstring head = method == Post ? L"POST /" : L"GET /";
    head += url.path;
    if (method == Get && !owner->GetFormFields().empty())
        head += L"?" + FromUtf8(BuildFormBody());
    head += L" HTTP/" + version + L"\r\n";
    head += L"Host: " + url.host + L":" + std::to_wstring(url.port) + L"\r\n";
    static const wchar_t* const types[] = { L"application/x-www-form-urlencoded",
        L"multipart/form-data; boundary=", L"text/plain", L"text/xml" };
    int kind = bodyKind >= Form && bodyKind <= TextXml ? bodyKind : Form;
    head += std::wstring(L"Content-Type: ") + types[kind];
    if (kind == Multipart)
        head += boundary;
    head += L"\r\n";
    if (method == Post) {
        int64_t length = GetContentLength();
        head += L"Content-Length: " + std::to_wstring(length < 0 ? 0 : length) + L"\r\n";
    }
    const auto& cookies = owner->GetCookies();
    if (!cookies.empty()) {
        head += L"Cookie: ";
        for (size_t i = 0; i < cookies.size(); ++i) {
            if (i)
                head += L";";
            head += cookies[i].first + L"=" + cookies[i].second;
        }
        head += L"\r\n";
    }
    if (rangeStart || rangeEnd) {
        head += L"Range: bytes=" + std::to_wstring(rangeStart) + L"-";
        if (rangeEnd)
            head += std::to_wstring(rangeEnd);
        head += L"\r\n";
    }
    head += extraHeaders;
    head += L"\r\n";
    return Narrow(head);
}
