import json
import os
import signal
import socket
import subprocess
import sys
import tempfile
import unittest
import urllib.request

from tests.support import JIYEON, MINSU, PACKAGE, TIMEOUT, Service, ServiceTest, words_of


class SignIn(ServiceTest):

    def test_full_sign_in_over_tls_with_a_fragmented_buddy_list(self):
        reqs = self.svc.ticket(MINSU)
        self.assertEqual(reqs.args[1:3], ["127.0.0.1", str(self.svc.info["main_port"])])

        c = self.svc.client()  # TLS 1.0 only, verified against the printed CA
        self.assertEqual(c.sock.version(), "TLSv1")
        lin2 = self.svc.lin2(c, MINSU, ticket=reqs.args[3])
        profile = words_of(lin2.payload)
        self.assertEqual((lin2.command, len(profile), profile[4:6]), ("LIN2", 16, ["김민수", "민수"]))

        fragments = c.buddy_list(64)
        count = len(fragments)
        self.assertGreater(count, 3)
        self.assertEqual([f.args[:2] for f in fragments],
                         [[str(i), str(count)] for i in range(1, count + 1)])
        self.assertTrue(all(len(f.payload) <= 64 for f in fragments))
        body = words_of(b"".join(f.payload for f in fragments))
        self.assertEqual(body[:7], ["3", "3", "0", "기타", "0", "1", "친구"])
        jiyeon, junho, seoyun = body[-39:-26], body[-26:-13], body[-13:]
        self.assertEqual(jiyeon[:10], [JIYEON, "1", JIYEON, "", "1101", "F", "이지연", "지연이", "19920708", "0"])
        self.assertEqual((junho[4:6], seoyun[4]), (["1101", "F"], "0001"))

    def test_sign_in_failures(self):
        c = self.svc.client()
        # Nothing but a sign-in is served before one.
        self.assertEqual(c.call("LSTA", ["FULL", 10], b"").command, "306")
        self.assertEqual(c.call("PONG").command, "306")
        self.assertEqual(self.svc.lin2(c, MINSU, password="wrong").command, "301")
        self.assertEqual(self.svc.lin2(c, "nobody@quorix.net").command, "300")
        self.assertEqual(self.svc.lin2(c, MINSU, ticket="forged").command, "601")
        other = self.svc.ticket(JIYEON).args[3]
        self.assertEqual(self.svc.lin2(c, MINSU, ticket=other).command, "601")
        # An id on another domain is digested whole, domain included.
        self.assertEqual(self.svc.lin2(c, "dahye@mailbox.kr").command, "LIN2")

        ticket = self.svc.ticket(MINSU).args[3]
        self.assertEqual(self.svc.lin2(self.svc.client(), MINSU, ticket=ticket).command, "LIN2")
        self.assertEqual(self.svc.lin2(self.svc.client(), MINSU, ticket=ticket).command, "601")
        # Signing in again from the same device while the first session lives is refused.
        self.assertEqual(self.svc.lin2(self.svc.client(), MINSU).command, "302")

        d = self.svc.client("dispatch")
        self.assertEqual(d.call("REQS", ["x", MINSU]).command, "601")
        self.assertEqual(d.call("AUTH", ["OTP"]).command, "395")
        word = d.call("AUTH", ["MD5"]).args[0]
        self.assertEqual(d.call("REQS", [word + "x", MINSU]).command, "202")
        self.assertEqual(d.call("LSTA", ["FULL", 10], b"").command, "203")

    def test_one_ticket_per_dispatch_connection(self):
        # Asking again on one connection replaces its ticket and leaves other users' alone.
        theirs = self.svc.ticket(JIYEON).args[3]
        d = self.svc.client("dispatch")
        word = d.call("AUTH", ["MD5"]).args[0]
        first = d.call("REQS", [word, MINSU]).args[3]
        for _ in range(3):
            last = d.call("REQS", [word, MINSU]).args[3]
        self.assertEqual(self.svc.lin2(self.svc.client(), MINSU, ticket=first).command, "601")
        self.assertEqual(self.svc.lin2(self.svc.client(), MINSU, ticket=last).command, "LIN2")
        self.assertEqual(self.svc.lin2(self.svc.client(), JIYEON, ticket=theirs).command, "LIN2")

    def test_second_sign_in_elsewhere_kills_the_first(self):
        watcher, _ = self.svc.sign_in(JIYEON)
        first, _ = self.svc.sign_in(MINSU, device="phone-1")
        self.assertEqual(watcher.expect("NTFY").args[:2], [MINSU, "O"])
        second, _ = self.svc.sign_in(MINSU, device="phone-2")
        self.assertEqual(first.expect("KILL").args[0], MINSU)
        self.assertTrue(first.closed_by_peer())
        self.assertEqual(second.call("PONG").command, "PONG")
        # The user never went offline for the buddies.
        self.assertTrue(watcher.quiet("NTFY"))

    def test_keep_alive_answers_drops_and_probes(self):
        c, _ = self.svc.sign_in(MINSU)
        self.assertEqual(c.call("PONG").command, "PONG")
        self.assertEqual(self.svc.control("/drop-pongs", {"user": MINSU, "count": 2})[0], 200)
        dropped = [c.send("PONG"), c.send("PONG")]
        answered = c.send("PONG")
        self.assertEqual(c.expect("PONG").txid, answered)
        self.assertFalse([f for f in c.backlog if f.txid in dropped])

        status, answer = self.svc.control("/ping", {"user": MINSU})
        ping = c.expect("PING")
        self.assertEqual(ping.txid, answer["txid"])
        c.send("PING", txid=ping.txid)  # the client's echo is not answered
        self.assertTrue(c.quiet("PING"))
        self.assertIn("recv PING %d" % ping.txid, self.log_texts())


class UpdateHost(ServiceTest):
    service_args = ("--pver", "F", "--update-msg", "새 버전\r\n설치 100% 권장")

    def fetch(self, url):
        with urllib.request.urlopen(url, timeout=TIMEOUT) as r:
            return r.read()

    def test_version_answer_and_update_descriptor(self):
        d = self.svc.client("dispatch")
        self.assertEqual(d.call("PVER", ["1.0.3", "2.0", "ko.wm"]).args, ["F"])
        self.svc.control("/update", {"pver": "Y"})
        self.assertEqual(d.call("PVER", ["1.0.3", "2.0", "ko.wm"]).args, ["Y"])

        text = self.fetch(self.svc.info["update_url"]).decode("utf-8")
        self.assertTrue(text.startswith("[main]\r\n"))
        values = dict(line.split("=", 1) for line in text.split("\r\n")[1:] if line)
        self.assertEqual(values["msg"], "새%20버전%0d%0a설치%20100%25%20권장")
        self.assertEqual(self.fetch(values["url"]), b"local test package\n")

        self.svc.control("/update", {"descriptor": False})
        with self.assertRaises(urllib.error.HTTPError):
            self.fetch(self.svc.info["update_url"])

    def get(self, path, wanted=None):
        """The head and the body bytes of a GET on the update host: all until it closes,
        or only as many as wanted, which leaves the socket open (returned third)."""
        sock = socket.create_connection(("127.0.0.1", self.svc.info["update_port"]), timeout=TIMEOUT)
        sock.sendall(("GET %s HTTP/1.0\r\nHost: x\r\n\r\n" % path).encode())
        data = b""
        while b"\r\n\r\n" not in data or (wanted is not None and
                                          len(data.partition(b"\r\n\r\n")[2]) < wanted):
            chunk = sock.recv(65536)
            if not chunk:
                break
            data += chunk
        if wanted is None:
            sock.close()
        head, _, body = data.partition(b"\r\n\r\n")
        return head.decode("latin-1"), body, sock

    def test_package_missing_cut_stalled_and_moved(self):
        package = bytes(i % 251 for i in range(20000))
        self.svc.control("/update", {"package_size": len(package)})
        self.assertEqual(self.get("/Upgrade/Quorix.cab")[1], package)

        self.svc.control("/update", {"redirect": True})
        head, _, _ = self.get("/Upgrade/Quorix.cab")
        self.assertIn("302", head.split("\r\n")[0])
        self.assertIn("Location: /Upgrade/moved/Quorix.cab", head)
        self.assertEqual(self.get("/Upgrade/moved/Quorix.cab")[1], package)

        # Cut: the whole length is announced, a part is sent, the connection closes.
        self.svc.control("/update", {"redirect": False, "cut": 100})
        head, body, _ = self.get("/Upgrade/Quorix.cab")
        self.assertIn("Content-Length: 20000", head)
        self.assertEqual(body, package[:100])

        # Stall: the first bytes come, then nothing until it is released.
        self.svc.control("/update", {"cut": None, "stall": 5000})
        head, body, sock = self.get("/Upgrade/Quorix.cab", wanted=5000)
        with sock:
            self.assertEqual(body, package[:5000])
            sock.settimeout(0.3)
            with self.assertRaises(socket.timeout):
                sock.recv(1)
            self.svc.control("/update", {"stall": None})
            sock.settimeout(TIMEOUT)
            rest = b""
            while chunk := sock.recv(65536):
                rest += chunk
        self.assertEqual(body + rest, package)

        # Its end told by the close alone, or by the last of its chunks.
        self.svc.control("/update", {"framing": "close"})
        head, body, _ = self.get("/Upgrade/Quorix.cab")
        self.assertNotIn("Content-Length", head)
        self.assertEqual(body, package)
        self.svc.control("/update", {"framing": "chunked"})
        head, body, _ = self.get("/Upgrade/Quorix.cab")
        self.assertIn("Transfer-Encoding: chunked", head)
        self.assertTrue(body.startswith(b"1000\r\n" + package[:4096] + b"\r\n1000\r\n"))
        self.assertTrue(body.endswith(b"\r\n" + package[16384:] + b"\r\n0\r\n\r\n"))
        self.assertEqual(self.svc.control("/update", {"framing": "gzip"})[0], 400)
        self.svc.control("/update", {"framing": "length"})

        self.svc.control("/update", {"package": False})
        self.assertIn("404", self.get("/Upgrade/Quorix.cab")[0].split("\r\n")[0])


class CommandLine(unittest.TestCase):

    def test_start_line_and_signals(self):
        for sig in (signal.SIGINT, signal.SIGTERM):
            svc = Service()
            info = svc.info
            self.assertLessEqual({"dispatch_port", "main_port", "update_port", "control_port",
                                  "ca_file", "update_url"}, set(info))
            with open(info["ca_file"]) as f:
                self.assertTrue(f.read().startswith("-----BEGIN CERTIFICATE"))
            self.assertEqual(svc.stop(sig), 0)
            self.assertFalse(os.path.exists(info["ca_file"]))

    def test_bad_accounts_file_is_reported(self):
        with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False) as f:
            json.dump({"accounts": [{"id": "a@x", "password": "p",
                                     "buddies": [{"id": "ghost@x"}]}]}, f)
        self.addCleanup(os.unlink, f.name)
        result = subprocess.run([sys.executable, PACKAGE, "--accounts", f.name], timeout=20,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"ghost@x has no account", result.stderr)
        self.assertEqual(result.stdout, b"")
