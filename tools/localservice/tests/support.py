"""Starting the service as a process, a raw protocol client and the control channel."""

import hashlib
import json
import os
import re
import select
import signal
import socket
import ssl
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.error
import urllib.request
import warnings

HERE = os.path.dirname(os.path.abspath(__file__))
PACKAGE = os.path.dirname(HERE)
TIMEOUT = 5.0
# Frames from the service whose line ends with the byte count of a payload.
PAYLOAD = {"CMSG", "CRP2", "CSES", "CTOC", "LIN2", "LSTA", "MVBG", "WGET"}
DOMAIN = "quorix.net"
# The demo accounts; each password is the name followed by 1234.
MINSU, JIYEON, JUNHO, SEOYUN = ("%s@quorix.net" % n for n in ("minsu", "jiyeon", "junho", "seoyun"))
DAHYE = "dahye@mailbox.kr"
PASSWORDS = {u: u.split("@")[0] + "1234" for u in (MINSU, JIYEON, JUNHO, SEOYUN, DAHYE)}


def esc(text):
    text = str(text)
    if text == "":
        return "%00"
    for c, e in (("%", "%25"), (" ", "%20"), ("\t", "%09"), ("\r", "%0d"), ("\n", "%0a")):
        text = text.replace(c, e)
    return text


def unesc(word):
    return re.sub("%([0-9A-Fa-f]{2})",
                  lambda m: chr(int(m.group(1), 16)) if int(m.group(1), 16) else "", word)


def frame(command, txid, args=(), payload=None):
    words = [command] + ([str(txid)] if txid is not None else []) + [esc(a) for a in args]
    if payload is not None:
        words.append(str(len(payload)))
    return (" ".join(words) + "\r\n").encode() + (payload or b"")


def words_of(data):
    # Payload text as decoded words (any white space separates).
    return [unesc(w) for w in data.decode("utf-8").split()]


def digest(user, password):
    local = user[:-len("@" + DOMAIN)] if user.lower().endswith("@" + DOMAIN) else user
    return hashlib.md5((password + local).encode()).hexdigest()


class Frame:
    def __init__(self, line, payload):
        self.line = line
        self.payload = payload
        words = line.decode("utf-8").split(" ")
        self.command = words[0]
        self.txid = int(words[1]) if len(words) > 1 and words[1].lstrip("-").isdigit() else None
        args = words[2:]
        if self.command in PAYLOAD and args:
            args = args[:-1]
        self.args = [unesc(w) for w in args]

    def inner(self):
        # The frame inside an envelope.
        head, _, rest = self.payload.partition(b"\r\n")
        return Frame(head, rest)

    def __repr__(self):
        return "<%s %s>" % (self.line, self.payload[:80])


class RawClient:
    def __init__(self, port, ca_file=None, host="127.0.0.1"):
        sock = socket.create_connection((host, port), timeout=TIMEOUT)
        if ca_file:
            context = ssl.SSLContext(ssl.PROTOCOL_TLS_CLIENT)
            with warnings.catch_warnings():
                warnings.simplefilter("ignore", DeprecationWarning)
                context.minimum_version = ssl.TLSVersion.TLSv1
                context.maximum_version = ssl.TLSVersion.TLSv1
            context.set_ciphers("DEFAULT:@SECLEVEL=0")
            context.load_verify_locations(ca_file)
            sock = context.wrap_socket(sock, server_hostname="localhost")
        self.sock = sock
        self.buffer = b""
        self.backlog = []
        self.txid = 100

    def send(self, command, args=(), payload=None, txid=None):
        if txid is None:
            self.txid += 1
            txid = self.txid
        self.sock.sendall(frame(command, txid, args, payload))
        return txid

    def call(self, command, args=(), payload=None):
        return self.expect_reply(self.send(command, args, payload))

    def send_in(self, kind, key, command, args=(), payload=None):
        # A request inside an envelope; returns (envelope id, inner id).
        self.txid += 1
        inner_id = self.txid
        outer_id = self.send("CRP2", [kind, key], frame(command, inner_id, args, payload))
        return outer_id, inner_id

    def request(self, kind, key, command, args=(), payload=None):
        # A request inside an envelope; returns the inner reply after checking that it came
        # back in an envelope of the same kind, key and id.
        outer_id, inner_id = self.send_in(kind, key, command, args, payload)
        envelope = self.expect_reply(outer_id)
        assert envelope.command == "CRP2" and envelope.args[:2] == [kind, key], envelope
        inner = envelope.inner()
        assert inner.txid == inner_id, inner
        return inner

    def dp(self, command, args=(), payload=None):
        return self.request("DP", "", command, args, payload)

    def _read_frame(self, deadline):
        while True:
            end = self.buffer.find(b"\n")
            if end >= 0:
                line = self.buffer[:end].rstrip(b"\r")
                words = line.split(b" ")
                count = 0
                if words[0].decode() in PAYLOAD:
                    count = int(words[-1])
                if len(self.buffer) >= end + 1 + count:
                    payload = self.buffer[end + 1:end + 1 + count]
                    self.buffer = self.buffer[end + 1 + count:]
                    return Frame(line, payload)
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError("no complete frame; have %r" % self.buffer[:200])
            self.sock.settimeout(left)
            data = self.sock.recv(65536)
            if not data:
                raise EOFError("closed by the service; have %r" % self.buffer[:200])
            self.buffer += data

    def expect(self, match, timeout=TIMEOUT):
        # The first frame (from the backlog, then the socket) for which match(frame) holds;
        # frames that do not match are kept for later. A text matches the command word.
        test = (lambda f: f.command == match) if isinstance(match, str) else match
        for i, f in enumerate(self.backlog):
            if test(f):
                return self.backlog.pop(i)
        deadline = time.monotonic() + timeout
        while True:
            f = self._read_frame(deadline)
            if test(f):
                return f
            self.backlog.append(f)

    def expect_reply(self, txid, timeout=TIMEOUT):
        return self.expect(lambda f: f.txid == txid, timeout)

    def expect_inner(self, command, key=None, timeout=TIMEOUT):
        # An envelope holding command (for the given key); returns (envelope, inner).
        def test(f):
            return f.command == "CRP2" and f.inner().command == command and \
                (key is None or f.args[1] == key)
        f = self.expect(test, timeout)
        return f, f.inner()

    def quiet(self, match, wait=0.3):
        # True when no frame matching `match` arrives within `wait` seconds.
        try:
            self.expect(match, wait)
        except TimeoutError:
            return True
        return False

    def closed_by_peer(self, timeout=TIMEOUT):
        # True when the service closes the connection (frames before that are skipped).
        deadline = time.monotonic() + timeout
        try:
            while True:
                self.backlog.append(self._read_frame(deadline))
        except (EOFError, ConnectionError, ssl.SSLError):
            return True
        except TimeoutError:
            return False

    def buddy_list(self, buffer):
        # Asks for the whole buddy list; returns its fragments in order.
        self.send("LSTA", ["FULL", buffer], b"")
        fragments = [self.expect("LSTA")]
        while fragments[-1].args[0] != fragments[-1].args[1]:
            fragments.append(self.expect("LSTA"))
        return fragments

    def close(self):
        try:
            self.sock.close()
        except OSError:
            pass


# The service as a child process on free ports.
class Service:

    def __init__(self, *extra):
        self.folder = tempfile.TemporaryDirectory(prefix="localservice-test-")
        self.log_path = os.path.join(self.folder.name, "service.log")
        self.proc = subprocess.Popen(
            [sys.executable, PACKAGE, "--dispatch-port", "0", "--log", self.log_path,
             "--state-dir", os.path.join(self.folder.name, "state")] + list(extra),
            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        ready, _, _ = select.select([self.proc.stdout], [], [], 20)
        line = self.proc.stdout.readline() if ready else b""
        if not line:
            self.proc.kill()
            err = self.proc.communicate(timeout=5)[1]
            raise RuntimeError("service did not start: %s" % err.decode(errors="replace"))
        self.info = json.loads(line)
        self.clients = []

    def client(self, server="main"):
        main = server == "main"
        self.clients.append(RawClient(self.info[server + "_port"], self.info["ca_file"] if main else None))
        return self.clients[-1]

    def control(self, path, body=None):
        # Calls the control channel; returns (status, JSON answer).
        url = self.info["control_url"] + path
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(url, data=data, method="POST" if data else "GET")
        try:
            with urllib.request.urlopen(request, timeout=TIMEOUT) as r:
                return r.status, json.loads(r.read())
        except urllib.error.HTTPError as e:
            return e.code, json.loads(e.read() or b"{}")

    def ticket(self, user):
        # Version check, authentication and redirection on the dispatch server.
        d = self.client("dispatch")
        d.call("PVER", ["1.0.3", "2.0", "ko.wm"])
        reqs = d.call("REQS", [d.call("AUTH", ["MD5"]).args[0], user])
        d.close()
        return reqs

    def lin2(self, client, user, password=None, ticket=None, letter="O", device="dev-1"):
        ticket = ticket or self.ticket(user).args[3]
        password = PASSWORDS.get(user, "") if password is None else password
        lines = [[ticket], [digest(user, password), "MD5", "1.0.3", "ko.wm", device, "N", "", ""],
                 [letter, "N", "N"], [""]]
        payload = b"".join((" ".join(esc(w) for w in l) + "\r\n").encode() for l in lines)
        return client.call("LIN2", [user], payload)

    def sign_in(self, user, letter="O", device="dev-1", buffer=8192):
        # A signed-in main-server client and its reassembled buddy list words.
        c = self.client()
        reply = self.lin2(c, user, letter=letter, device=device)
        assert reply.command == "LIN2", reply
        return c, words_of(b"".join(f.payload for f in c.buddy_list(buffer)))

    def stop(self, sig=signal.SIGTERM):
        for c in self.clients:
            c.close()
        if self.proc.poll() is None:
            self.proc.send_signal(sig)
        try:
            code = self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            code = self.proc.wait()
        self.proc.stdout.close()
        self.proc.stderr.close()
        self.folder.cleanup()
        return code


# Each test gets its own service, stopped (and checked to stop cleanly) afterwards.
class ServiceTest(unittest.TestCase):

    service_args = ()

    def setUp(self):
        self.svc = Service(*self.service_args)
        self.addCleanup(self.stop_service)

    def stop_service(self):
        with open(self.svc.log_path, encoding="utf-8", errors="replace") as f:
            log = f.read()
        code = self.svc.stop()
        self.assertEqual(code, 0, "service exited with %s; log:\n%s" % (code, log[-3000:]))
        self.assertNotIn("handler fault", log)

    def log_texts(self, user=None):
        # Each logged line as its direction and text ("recv PONG 5").
        query = "/log" + ("?user=" + user if user else "")
        return [e["dir"] + " " + e["text"] for e in self.svc.control(query)[1]["entries"]]
