import socket
import urllib.error
import urllib.request

from tests.support import JIYEON, JUNHO, MINSU, TIMEOUT, ServiceTest


class BadInput(ServiceTest):

    def test_bad_frames_get_failures_or_a_close_and_spare_other_connections(self):
        minsu, _ = self.svc.sign_in(MINSU)
        jiyeon, _ = self.svc.sign_in(JIYEON)

        d = self.svc.client("dispatch")
        for line, answer in ((b"hello world\r\n", b"200 0"), (b"ZZZZ 5\r\n", b"203 5"),
                             (b"PVER abc 1 2 3\r\n", b"200 0"), (b"\r\n", None),
                             (b"CRP2 7 DP %00 xx\r\n", b"200 7"), (b"PVER 8\r\n", b"201 8")):
            d.sock.sendall(line)
            if answer:
                self.assertEqual(d.expect(lambda f: True).line, answer)

        for payload, answer in ((b"hello", b"200 11"), (b"CRP2 1 DP %00 0\r\n", b"200 12"),
                                (b"PONG 1\r\nPONG 2\r\n", b"200 13")):
            txid = int(answer.split()[1])
            minsu.send("CRP2", ["DP", ""], payload, txid=txid)
            self.assertEqual(minsu.expect_reply(txid).line, answer)
        self.assertEqual(minsu.call("MVBG", ["0"], b"1 2\r\n").command,
                         "200")

        oversized = self.svc.client()
        oversized.sock.sendall(b"WGET 9 MEMOLST2 N 8192 99999999\r\n")
        self.assertEqual(oversized.expect_reply(9).command, "200")
        self.assertTrue(oversized.closed_by_peer())
        endless = self.svc.client("dispatch")
        endless.sock.sendall(b"A" * 70000)
        self.assertTrue(endless.closed_by_peer())
        cut = self.svc.client()
        cut.sock.sendall(b"LIN2 5 x 100\r\npartial")
        cut.close()
        plain = socket.create_connection(("127.0.0.1", self.svc.info["main_port"]), TIMEOUT)
        plain.sendall(b"PVER 1 1.0.3 2.0 ko.wm\r\n")
        while plain.recv(100):  # perhaps a TLS alert, then the close
            pass
        plain.close()

        self.assertEqual(minsu.call("PONG").command, "PONG")
        self.assertEqual(jiyeon.call("PONG").command, "PONG")
        sessions = self.svc.control("/state")[1]["sessions"]
        self.assertEqual(sorted(s["user"] for s in sessions), [JIYEON, MINSU])
        self.svc.sign_in(JUNHO)


class ControlChannel(ServiceTest):

    def test_rules_send_raw_bytes_at_chosen_points(self):
        status, answer = self.svc.control("/rule", {
            "server": "main", "user": MINSU, "on": "LSTA", "mode": "replace",
            "chunks": ["LSTA 0 1 1 ", "5\r\n1 0\r\n"], "delay_ms": 50})
        self.assertEqual(status, 200)
        self.svc.control("/rule", {"on": "PONG", "mode": "after", "data": "SNFY 0 a b %EA%B3%B5\r\n"})
        self.svc.control("/rule", {"server": "dispatch", "on": "connect", "hex": "414c524d20300d0a"})

        d = self.svc.client("dispatch")
        self.assertEqual(d.expect(lambda f: True).line, b"ALRM 0")
        c = self.svc.client()
        self.svc.lin2(c, MINSU)
        c.send("LSTA", ["FULL", 8192], b"")
        replaced = c.expect("LSTA")
        self.assertEqual((replaced.args, replaced.payload), (["1", "1"], b"1 0\r\n"))
        self.assertTrue(c.quiet("LSTA"))
        pong = c.send("PONG")
        self.assertEqual(c.expect(lambda f: True).txid, pong)
        self.assertEqual(c.expect(lambda f: True).args, ["a", "b", "\xea\xb3\xb5"])
        self.assertEqual(self.svc.control("/state")[1]["rules"], 0)

    def test_notices_kills_closes_and_errors(self):
        minsu, _ = self.svc.sign_in(MINSU)
        jiyeon, _ = self.svc.sign_in(JIYEON)
        self.svc.control("/notice", {"user": MINSU, "command": "SNFY",
                                     "args": ["1", "2", "서버 점검 안내"]})
        self.assertEqual(minsu.expect("SNFY").args, ["1", "2", "서버 점검 안내"])
        self.svc.control("/notice", {"user": MINSU, "command": "TICK", "args": ["t123"]})
        self.assertEqual(minsu.expect("TICK").args, ["t123"])
        self.svc.control("/raw", {"user": MINSU, "data": "ALRM 0\r\n", "close": True})
        minsu.expect("ALRM")
        self.assertTrue(minsu.closed_by_peer())
        jiyeon.expect(lambda f: f.command == "NTFY" and f.args[:2] == [MINSU, "F"])

        self.assertEqual(self.svc.control("/kill", {"user": JIYEON})[0], 200)
        self.assertEqual(jiyeon.expect("KILL").args[0], JIYEON)
        self.assertTrue(jiyeon.closed_by_peer())

        other, _ = self.svc.sign_in(MINSU)
        conn = self.svc.control("/state")[1]["sessions"][0]["conn"]
        self.assertEqual(self.svc.control("/close", {"conn": conn})[0], 200)
        self.assertTrue(other.closed_by_peer())
        texts = self.log_texts(MINSU)
        self.assertIn("raw ALRM 0", texts)
        self.assertIn("send SNFY 0 1 2 서버%20점검%20안내", texts)

        self.assertEqual(self.svc.control("/kill", {"user": MINSU})[0], 409)
        self.assertEqual(self.svc.control("/notice", {"user": "ghost", "command": "SNFY"})[0], 400)
        self.assertEqual(self.svc.control("/nothing")[0], 404)
        request = urllib.request.Request(self.svc.info["control_url"] + "/raw", data=b"{oops",
                                         method="POST")
        with self.assertRaises(urllib.error.HTTPError) as e:
            urllib.request.urlopen(request, timeout=TIMEOUT)
        self.assertEqual(e.exception.code, 400)
