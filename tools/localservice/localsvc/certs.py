"""A throw-away CA and a server certificate for localhost, made with the openssl command."""

import os
import ssl
import subprocess
import warnings

SERVER_EXTENSIONS = """basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:localhost, IP:127.0.0.1
"""


def _openssl(args, folder):
    result = subprocess.run(["openssl"] + args, cwd=folder, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, timeout=60)
    if result.returncode != 0:
        raise RuntimeError("openssl %s failed: %s" % (args[0], result.stderr.decode(errors="replace")))


def make_certificates(folder):
    """Writes ca.pem, server.pem and server.key into folder; returns their paths."""
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "server.ext"), "w") as f:
        f.write(SERVER_EXTENSIONS)
    _openssl(["req", "-x509", "-newkey", "rsa:2048", "-nodes", "-sha256", "-days", "30",
              "-keyout", "ca.key", "-out", "ca.pem", "-subj", "/CN=Local messenger service CA",
              "-addext", "basicConstraints=critical,CA:TRUE",
              "-addext", "keyUsage=critical,keyCertSign,cRLSign"], folder)
    _openssl(["req", "-newkey", "rsa:2048", "-nodes", "-sha256", "-keyout", "server.key",
              "-out", "server.csr", "-subj", "/CN=localhost"], folder)
    _openssl(["x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
              "-CAcreateserial", "-sha256", "-days", "30", "-extfile", "server.ext",
              "-out", "server.pem"], folder)
    return tuple(os.path.join(folder, n) for n in ("ca.pem", "server.pem", "server.key"))


def server_context(cert, key):
    """TLS 1.0 and newer, with the old cipher suites that such clients offer."""
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", DeprecationWarning)
        context.minimum_version = ssl.TLSVersion.TLSv1
    context.set_ciphers("DEFAULT:@SECLEVEL=0")
    context.load_cert_chain(cert, key)
    return context
