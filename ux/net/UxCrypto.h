#pragma once

// Thin wrappers over the cryptographic library for the login digest and the saved
// password.

#include <cstddef>
#include <string>

// MD5 of the bytes as 32 lower-case hex digits; "" when the library fails.
std::wstring Md5Hex(const void* data, size_t length);

// Three-key triple DES in ECB mode with PKCS#5 padding: the output is the next multiple
// of 8 above the input length, so output must hold input length + 8 bytes. The key is
// GetCipherKeyLength() (24) bytes; iv is unused in ECB mode and may be null.
bool EncryptDesEde3(const void* input, size_t inputLength, void* output, size_t* outputLength,
    const void* key, const void* iv);

// The reverse; false when the padding does not check. Output needs inputLength bytes.
bool DecryptDesEde3(const void* input, size_t inputLength, void* output, size_t* outputLength,
    const void* key, const void* iv);

int GetCipherKeyLength();
