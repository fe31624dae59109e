from tests.support import DAHYE, JIYEON, JUNHO, MINSU, ServiceTest


class PartyBuddies(ServiceTest):

    def act(self, path, body, status=200):
        code, answer = self.svc.control(path, body)
        self.assertEqual(code, status, answer)
        return answer

    def flags(self, user, buddy):
        account = self.svc.control("/account?id=" + user)[1]
        return {b["id"]: b["flags"] for b in account["buddies"]}.get(buddy)

    def test_a_party_asks_answers_blocks_and_deletes(self):
        minsu, _ = self.svc.sign_in(MINSU)
        for user in (DAHYE, JIYEON, JUNHO):
            self.act("/party/sign-in", {"user": user})

        self.assertEqual(self.act("/party/ask", {"user": DAHYE, "to": MINSU, "message": "안녕"}),
                         {"result": "ADSB"})
        self.assertEqual(minsu.expect("ADDB").args[:4], ["RL", DAHYE, DAHYE, "안녕"])
        self.assertEqual(minsu.dp("ADSB", ["ACCPT", DAHYE, DAHYE, "1", ""]).command, "ADSB")
        self.assertEqual((self.flags(MINSU, DAHYE), self.flags(DAHYE, MINSU)), ("1101", "1101"))

        # A request from the client that the party turns down.
        minsu.dp("RMVB", ["FL", JUNHO, JUNHO])
        minsu.dp("ADSB", ["REQST", "", JUNHO, "0", "다시"])
        self.assertEqual(self.act("/party/answer", {"user": JUNHO, "from": MINSU, "accept": False}),
                         {"result": "ADSB"})
        self.assertEqual(self.flags(JUNHO, MINSU), "1011")

        self.act("/party/block", {"user": JIYEON, "buddy": MINSU})
        minsu.expect(lambda f: f.command == "NTFY" and f.args[:2] == [JIYEON, "F"])
        self.act("/party/block", {"user": JIYEON, "buddy": MINSU, "block": False})
        minsu.expect(lambda f: f.command == "NTFY" and f.args[:2] == [JIYEON, "O"])
        self.act("/party/delete", {"user": JIYEON, "buddy": MINSU})
        self.assertEqual(minsu.expect("RMVB").args, ["RL", JIYEON, JIYEON])

    def test_a_party_changes_status_nick_and_profile(self):
        minsu, _ = self.svc.sign_in(MINSU)
        self.act("/party/sign-in", {"user": JIYEON})
        minsu.expect(lambda f: f.command == "NTFY" and f.args[:2] == [JIYEON, "O"])
        self.assertEqual(self.act("/party/status", {"user": JIYEON, "status": "B"}),
                         {"result": "ONST"})
        minsu.expect(lambda f: f.command == "NTFY" and f.args[:2] == [JIYEON, "B"])
        self.act("/party/nick", {"user": JIYEON, "nick": "새 별명"})
        self.assertEqual(minsu.expect("NNIK").args, [JIYEON, "새 별명"])
        self.act("/party/profile", {"user": JIYEON, "mobile": "010-0000-1111"})
        self.assertEqual(minsu.expect("NPRF").args[:3], [JIYEON, "100000", "010-0000-1111"])
        for path, body, status in [("/party/status", {"user": JIYEON, "status": "Q"}, 200),
                                   ("/party/profile", {"user": JIYEON}, 400),
                                   ("/party/ask", {"user": JIYEON, "to": "ghost@x"}, 400),
                                   ("/party/nick", {"user": JUNHO, "nick": "x"}, 400)]:
            self.act(path, body, status)
