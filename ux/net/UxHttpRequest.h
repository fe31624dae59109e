#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

class UxHttpClient;
class UxUrl;

// A path of the program ('\\' separators allowed) as a path of this system.
std::filesystem::path UxHttpFilePath(const std::wstring& path);

// The request part of an HTTP exchange: method, body kind, range and extra head lines,
// and the texts built from them and from the client's fields and cookies.
class UxHttpRequest {
public:
    enum Method { Get = 0, Post = 1 };
    enum BodyKind { Form = 0, Multipart = 1, TextPlain = 2, TextXml = 3 };

    explicit UxHttpRequest(UxHttpClient* owner);

    // The head, ending with its empty line.
    std::string BuildHead(const UxUrl& url) const;
    // name=value pairs joined by '&', values escaped.
    std::string BuildFormBody() const;
    // Bytes the body step sends (0 for GET); -1 when a file field cannot be read.
    int64_t GetContentLength() const;
    // Opening lines of one multipart field.
    std::string BuildPartHead(const std::wstring& name, const std::wstring& value, bool isFile) const;
    std::string BuildClosingLine() const;

    UxHttpClient* owner;
    int method = Get;
    std::wstring version = L"1.0";
    int bodyKind = Form;
    std::wstring boundary;
    int32_t rangeStart = 0;
    int32_t rangeEnd = 0;
    // Appended to the head unchanged; each line must end in "\r\n".
    std::wstring extraHeaders;
};
