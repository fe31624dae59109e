from tests.support import DAHYE, JIYEON, JUNHO, MINSU, ServiceTest, frame, words_of


class Party(ServiceTest):

    def act(self, path, body, status=200):
        code, answer = self.svc.control(path, body)
        self.assertEqual(code, status, answer)
        return answer

    def received(self, user, command=None):
        query = "/party/received?user=" + user + ("&command=" + command if command else "")
        return self.svc.control(query)[1]["frames"]

    def open_chat(self, client, user):
        # The client's side of opening a chat: room, connection, entry; returns (sid, room).
        room = client.dp("RESS").args
        reply = client.call("CSES", ["CONN", "SS", ""], " ".join(room).encode())
        sid = words_of(reply.payload)[1]
        entered = client.request("SS", sid, "ENTR", [user, "", "", "", "UTF8", "P", "1.1", "2",
                                                     "1.0.3", "ko.wm"])
        self.assertEqual(entered.command, "ENTR")
        return sid, room

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
                ("/party/echo", {"user": MINSU}, 400)]:
            self.act(path, body, status)

    def test_a_client_opens_a_chat_with_a_party_that_answers_types_echoes_and_leaves(self):
        minsu, _ = self.svc.sign_in(MINSU)
        self.act("/party/sign-in", {"user": JIYEON})
        sid, room = self.open_chat(minsu, MINSU)
        minsu.send_in("DP", "", "CTOC", [JIYEON, "A"], frame("INVT", None, [MINSU] + room))

        accepted = self.act("/party/accept", {"user": JIYEON, "from": MINSU})
        self.assertEqual((accepted["key"], accepted["members"]), (room[2], [MINSU, JIYEON]))
        self.assertEqual(minsu.expect_inner("JOIN", sid)[1].args[0], JIYEON)
        rooms = self.svc.control("/state")[1]["rooms"]
        self.assertEqual([(m["user"], m["party"]) for m in rooms[0]["members"]],
                         [(MINSU, False), (JIYEON, True)])
        self.assertEqual(rooms[0]["members"][1]["sid"], accepted["sid"])

        text = "0\t0\t0\t안녕\t하세요  100%"
        self.assertEqual(minsu.request("SS", sid, "MESG", ["MSG", text]).command, "MESG")
        line = self.received(JIYEON, "MESG")[-1]
        self.assertEqual((line["key"], line["line"]["text"]), (accepted["sid"], "안녕\t하세요  100%"))

        self.assertEqual(self.act("/party/typing", {"user": JIYEON})["result"], "MESG")
        self.assertEqual(minsu.expect_inner("MESG", sid)[1].args, [JIYEON, "TYPING", "1"])
        said = self.act("/party/say", {"user": JIYEON, "text": "반가워 요", "style": "B"})
        self.assertEqual(said["result"], "MESG")
        self.assertEqual(minsu.expect_inner("MESG", sid)[1].args, [JIYEON, "MSG", "0\t0\tB\t반가워 요"])

        self.act("/party/echo", {"user": JIYEON, "on": True})
        minsu.request("SS", sid, "MESG", ["MSG", "0\t0\t0\t메아리"])
        self.assertEqual(minsu.expect_inner("MESG", sid)[1].args, [JIYEON, "MSG", "0\t0\t0\t메아리"])

        self.assertTrue(self.act("/party/leave", {"user": JIYEON})["left"])
        self.assertEqual(minsu.expect_inner("QUIT", sid)[1].args[0], JIYEON)

    def test_parties_invite_the_client_into_a_group_chat(self):
        minsu, _ = self.svc.sign_in(MINSU)
        self.act("/party/sign-in", {"user": JIYEON})
        self.act("/party/sign-in", {"user": JUNHO})
        opened = self.act("/party/invite", {"user": JIYEON, "to": MINSU})
        invitation = minsu.expect("CTOC")
        self.assertEqual(invitation.args[0], JIYEON)
        command, inviter, host, port, key = words_of(invitation.payload)
        self.assertEqual((command, inviter, key), ("INVT", JIYEON, opened["key"]))

        reply = minsu.call("CSES", ["CONN", "SS", ""], " ".join([host, port, key]).encode())
        sid = words_of(reply.payload)[1]
        minsu.request("SS", sid, "ENTR", [MINSU, "", "", "", "UTF8", "P", "1.1", "2", "1.0.3", "ko.wm"])
        self.assertEqual(minsu.expect_inner("USER", sid)[1].args[2], JIYEON)
        self.assertEqual(self.received(JIYEON, "JOIN")[-1]["args"][0], MINSU)

        # The party brings a third into its chat.
        self.act("/party/invite", {"user": JIYEON, "to": JUNHO, "sid": opened["sid"]})
        joined = self.act("/party/accept", {"user": JUNHO})
        self.assertEqual(joined["members"], [JIYEON, MINSU, JUNHO])
        self.assertEqual(minsu.expect_inner("JOIN", sid)[1].args[0], JUNHO)
        self.act("/party/sign-out", {"user": JUNHO})
        self.assertEqual(minsu.expect_inner("QUIT", sid)[1].args[0], JUNHO)

    def test_a_client_signing_in_as_the_party_takes_its_place(self):
        self.act("/party/sign-in", {"user": JIYEON})
        opened = self.act("/party/invite", {"user": JIYEON, "to": MINSU}, 409)
        self.assertEqual(opened["error"], "invitation not delivered: 305")
        jiyeon, _ = self.svc.sign_in(JIYEON)
        self.assertEqual(self.svc.control("/party/received?user=" + JIYEON)[0], 400)
        state = self.svc.control("/state")[1]
        self.assertEqual([s["device"] for s in state["sessions"]], ["dev-1"])
        self.assertEqual(state["rooms"], [])
