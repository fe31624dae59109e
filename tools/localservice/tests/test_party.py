from tests.support import DAHYE, JIYEON, JUNHO, MINSU, ServiceTest


class Party(ServiceTest):

    def act(self, path, body, status=200):
        code, answer = self.svc.control(path, body)
        self.assertEqual(code, status, answer)
        return answer

    def received(self, user, command=None):
        query = "/party/received?user=" + user + ("&command=" + command if command else "")
        return self.svc.control(query)[1]["frames"]

    def test_a_party_is_seen_like_a_signed_in_user_and_receives_notices(self):
        minsu, _ = self.svc.sign_in(MINSU)
        self.act("/party/sign-in", {"user": JIYEON, "status": "A"})
        self.assertEqual(minsu.expect("NTFY").args[:2], [JIYEON, "A"])
        state = self.svc.control("/state")[1]
        self.assertIn({"user": JIYEON, "status": "A", "device": "party"},
                      [{k: s[k] for k in ("user", "status", "device")} for s in state["sessions"]])

        self.act("/presence", {"user": MINSU, "nick": "새 별명"})
        self.act("/memo", {"from": MINSU, "to": [JIYEON], "title": "제목", "body": "본문"})
        self.assertEqual([f["args"] for f in self.received(JIYEON, "NNIK")], [[MINSU, "새 별명"]])
        self.assertIn("title:제목", self.received(JIYEON, "CMSG")[0]["payload"])

        self.act("/party/sign-out", {"user": JIYEON})
        self.assertEqual(minsu.expect("NTFY").args[:2], [JIYEON, "F"])
        self.act("/party/say", {"user": JIYEON, "text": "x"}, 400)

    def test_bad_requests_are_refused(self):
        self.act("/party/sign-in", {"user": JUNHO})
        for path, body, status in [
                ("/party/sign-in", {"user": "ghost@quorix.net"}, 400),
                ("/party/sign-in", {"user": JUNHO}, 409),
                ("/party/sign-in", {"user": DAHYE, "status": "Q"}, 400),
                ("/party/accept", {"user": JUNHO}, 409),
                ("/party/say", {"user": JUNHO, "text": "x"}, 400),
                ("/party/leave", {"user": JUNHO, "sid": "nope"}, 400),
                ("/party/invite", {"user": JUNHO, "to": "ghost@quorix.net"}, 400),
                ("/party/echo", {"user": MINSU}, 400),
                ("/party/status", {"user": JUNHO, "status": "Q"}, 200),
                ("/party/profile", {"user": JUNHO}, 400),
                ("/party/ask", {"user": JUNHO, "to": "ghost@x"}, 400),
                ("/party/nick", {"user": JIYEON, "nick": "x"}, 400)]:
            self.act(path, body, status)

    def test_a_client_signing_in_as_the_party_takes_its_place(self):
        self.act("/party/sign-in", {"user": JIYEON})
        opened = self.act("/party/invite", {"user": JIYEON, "to": MINSU}, 409)
        self.assertEqual(opened["error"], "invitation not delivered: 305")
        jiyeon, _ = self.svc.sign_in(JIYEON)
        self.assertEqual(self.svc.control("/party/received?user=" + JIYEON)[0], 400)
        state = self.svc.control("/state")[1]
        self.assertEqual([s["device"] for s in state["sessions"]], ["dev-1"])
        self.assertEqual(state["rooms"], [])

    def test_a_party_blocks_unblocks_and_deletes(self):
        minsu, _ = self.svc.sign_in(MINSU)
        self.act("/party/sign-in", {"user": JIYEON})
        self.act("/party/block", {"user": JIYEON, "buddy": MINSU})
        minsu.expect(lambda f: f.command == "NTFY" and f.args[:2] == [JIYEON, "F"])
        self.act("/party/block", {"user": JIYEON, "buddy": MINSU, "block": False})
        minsu.expect(lambda f: f.command == "NTFY" and f.args[:2] == [JIYEON, "O"])
        self.act("/party/delete", {"user": JIYEON, "buddy": MINSU})
        self.assertEqual(minsu.expect("RMVB").args, ["RL", JIYEON, JIYEON])
