#pragma once

// TLS pieces for network tests: a key and a self-signed certificate made at run time
// for "localhost" and 127.0.0.1, and a server context that speaks TLS 1.0 only at
// security level 0, as the oldest servers the client must reach.

#include <cstdio>
#include <cstdlib>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

class TestTls {
public:
    TestTls()
    {
        m_key = EVP_EC_gen("P-256");
        m_cert = X509_new();
        X509_set_version(m_cert, 2);
        ASN1_INTEGER_set(X509_get_serialNumber(m_cert), 1);
        X509_gmtime_adj(X509_getm_notBefore(m_cert), -3600);
        X509_gmtime_adj(X509_getm_notAfter(m_cert), 86400);
        X509_set_pubkey(m_cert, m_key);
        X509_NAME* name = X509_get_subject_name(m_cert);
        X509_NAME_add_entry_by_txt(
            name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("localhost"), -1, -1, 0);
        X509_set_issuer_name(m_cert, name);
        X509V3_CTX ctx;
        X509V3_set_ctx_nodb(&ctx);
        X509V3_set_ctx(&ctx, m_cert, m_cert, nullptr, nullptr, 0);
        X509_EXTENSION* ext
            = X509V3_EXT_conf_nid(nullptr, &ctx, NID_subject_alt_name, "DNS:localhost,IP:127.0.0.1");
        X509_add_ext(m_cert, ext, -1);
        X509_EXTENSION_free(ext);
        X509_sign(m_cert, m_key, EVP_sha256());

        char path[] = "/tmp/quorix-test-ca-XXXXXX";
        int fd = mkstemp(path);
        m_caFile = path;
        FILE* f = fdopen(fd, "w");
        PEM_write_X509(f, m_cert);
        fclose(f);

        m_context = SSL_CTX_new(TLS_server_method());
        SSL_CTX_set_security_level(m_context, 0);
        SSL_CTX_set_min_proto_version(m_context, TLS1_VERSION);
        SSL_CTX_set_max_proto_version(m_context, TLS1_VERSION);
        SSL_CTX_set_cipher_list(m_context, "DEFAULT:@SECLEVEL=0");
        SSL_CTX_use_certificate(m_context, m_cert);
        SSL_CTX_use_PrivateKey(m_context, m_key);
    }

    ~TestTls()
    {
        SSL_CTX_free(m_context);
        X509_free(m_cert);
        EVP_PKEY_free(m_key);
        unlink(m_caFile.c_str());
    }

    TestTls(const TestTls&) = delete;
    TestTls& operator=(const TestTls&) = delete;

    // Trust this certificate (the test process's own environment).
    void Trust() const
    {
        setenv("QUORIX_CA_FILE", m_caFile.c_str(), 1);
        unsetenv("QUORIX_TLS_VERIFY");
    }

    // Server side of one connection on a blocking socket; null when the handshake fails.
    SSL* Accept(int fd) const
    {
        SSL* ssl = SSL_new(m_context);
        SSL_set_fd(ssl, fd);
        if (SSL_accept(ssl) != 1) {
            SSL_free(ssl);
            return nullptr;
        }
        return ssl;
    }

    // How the server ends a connection after its answer: TLS's close_notify, a bare close
    // of the connection under it, or a reset.
    enum End { CloseNotify, BareClose, Reset };
    // Server side of one exchange on a blocking socket: the request (as much as one read
    // brings) is taken, the answer written and the connection ended as told.
    void Answer(int fd, const std::string& answer, End end) const
    {
        SSL* ssl = Accept(fd);
        if (!ssl)
            return;
        char request[4096];
        SSL_read(ssl, request, sizeof request);
        WriteAll(ssl, answer);
        if (end == CloseNotify)
            SSL_shutdown(ssl);
        if (end == Reset) {
            const linger reset { 1, 0 };
            setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        }
        SSL_free(ssl);
    }

    static bool WriteAll(SSL* ssl, const std::string& bytes)
    {
        size_t done = 0;
        while (done < bytes.size()) {
            int n = SSL_write(ssl, bytes.data() + done, static_cast<int>(bytes.size() - done));
            if (n <= 0)
                return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

private:
    EVP_PKEY* m_key = nullptr;
    X509* m_cert = nullptr;
    SSL_CTX* m_context = nullptr;
    std::string m_caFile;
};
