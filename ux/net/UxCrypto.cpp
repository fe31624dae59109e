#include "ux/net/UxCrypto.h"

#include <climits>
#include <memory>
#include <openssl/evp.h>

namespace {

struct MdCtxFree {
    void operator()(EVP_MD_CTX* c) const { EVP_MD_CTX_free(c); }
};
struct CipherCtxFree {
    void operator()(EVP_CIPHER_CTX* c) const { EVP_CIPHER_CTX_free(c); }
};

bool RunDesEde3(bool encrypt, const void* input, size_t inputLength, void* output, size_t* outputLength,
    const void* key, const void* iv)
{
    if (outputLength)
        *outputLength = 0;
    if (!output || !outputLength || !key || (!input && inputLength) || inputLength > INT_MAX - 16)
        return false;
    std::unique_ptr<EVP_CIPHER_CTX, CipherCtxFree> ctx(EVP_CIPHER_CTX_new());
    if (!ctx)
        return false;
    auto* out = static_cast<unsigned char*>(output);
    auto* in = static_cast<const unsigned char*>(input);
    auto* k = static_cast<const unsigned char*>(key);
    auto* v = static_cast<const unsigned char*>(iv);
    int n = 0;
    int last = 0;
    if (encrypt) {
        if (EVP_EncryptInit_ex(ctx.get(), EVP_des_ede3(), nullptr, k, v) != 1
            || EVP_EncryptUpdate(ctx.get(), out, &n, in, static_cast<int>(inputLength)) != 1
            || EVP_EncryptFinal_ex(ctx.get(), out + n, &last) != 1)
            return false;
    } else {
        if (EVP_DecryptInit_ex(ctx.get(), EVP_des_ede3(), nullptr, k, v) != 1
            || EVP_DecryptUpdate(ctx.get(), out, &n, in, static_cast<int>(inputLength)) != 1
            || EVP_DecryptFinal_ex(ctx.get(), out + n, &last) != 1)
            return false;
    }
    *outputLength = static_cast<size_t>(n) + static_cast<size_t>(last);
    return true;
}

} // namespace

std::wstring Md5Hex(const void* data, size_t length)
{
    if (!data && length)
        return std::wstring();
    std::unique_ptr<EVP_MD_CTX, MdCtxFree> ctx(EVP_MD_CTX_new());
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1
        || EVP_DigestUpdate(ctx.get(), data, length) != 1
        || EVP_DigestFinal_ex(ctx.get(), digest, &size) != 1)
        return std::wstring();
    static const wchar_t hex[] = L"0123456789abcdef";
    std::wstring text;
    for (unsigned int i = 0; i < size; ++i) {
        text += hex[digest[i] >> 4];
        text += hex[digest[i] & 15];
    }
    return text;
}

bool EncryptDesEde3(const void* input, size_t inputLength, void* output, size_t* outputLength,
    const void* key, const void* iv)
{
    return RunDesEde3(true, input, inputLength, output, outputLength, key, iv);
}

bool DecryptDesEde3(const void* input, size_t inputLength, void* output, size_t* outputLength,
    const void* key, const void* iv)
{
    return RunDesEde3(false, input, inputLength, output, outputLength, key, iv);
}

int GetCipherKeyLength()
{
    return EVP_CIPHER_key_length(EVP_des_ede3());
}
