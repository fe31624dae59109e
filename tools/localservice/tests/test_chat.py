import unittest

from localsvc import wire
from localsvc.chat import ROOM_ENTRY_TIMEOUT, Room, prune_rooms
from tests.support import JIYEON, JUNHO, MINSU, ServiceTest, frame, words_of


class Chat(ServiceTest):

    def connect(self, client, host, port, key):
        # CSES CONN for a chat key; returns the chat session id.
        reply = client.call(
            "CSES", ["CONN", "SS", ""], ("%s %s %s" % (host, port, key)).encode())
        self.assertEqual(reply.args, ["CONN"], reply)
        kind, sid, _, _, entry = words_of(reply.payload)
        self.assertEqual((kind, entry), ("SS", key))
        return sid

    def enter(self, client, sid, user):
        reply = client.request("SS", sid, "ENTR", [user, "", "", "", "UTF8", "P", "1.1", "2",
                                                   "1.0.3", "ko.wm"])
        self.assertEqual(reply.command, "ENTR")

    def invite(self, inviter, user, target, room):
        invitation = frame("INVT", None, [user] + list(room))
        inviter.send_in("DP", "", "CTOC", [target, "A"], invitation)
        return invitation

    def accept(self, client, user, invitation):
        # The invited side: receives the invitation, connects and enters; returns the chat
        # session id and the participants listed before its entry was answered.
        delivered = client.expect("CTOC")
        self.assertEqual(delivered.payload, invitation)
        command, inviter, host, port, key = words_of(delivered.payload)
        self.assertEqual(command, "INVT")
        sid = self.connect(client, host, port, key)
        self.enter(client, sid, user)
        listed = [f.inner() for f in client.backlog if f.command == "CRP2"
                  and f.inner().command == "USER" and f.args[1] == sid]
        return sid, [u.args[2] for u in listed]

    def test_two_users_chat_with_typing_notices_and_a_third_is_invited(self):
        minsu, _ = self.svc.sign_in(MINSU)
        jiyeon, _ = self.svc.sign_in(JIYEON)
        junho, _ = self.svc.sign_in(JUNHO)

        ress = minsu.dp("RESS")
        self.assertEqual(ress.args[:2], ["127.0.0.1", str(self.svc.info["main_port"])])
        room = ress.args
        sid_m = self.connect(minsu, *room)
        self.enter(minsu, sid_m, MINSU)
        # Nobody there yet: no participant is listed, so the opener invites.
        self.assertFalse([f for f in minsu.backlog if f.command == "CRP2"])

        sid_j, listed = self.accept(jiyeon, JIYEON, self.invite(minsu, MINSU, JIYEON, room))
        self.assertEqual(listed, [MINSU])
        self.assertEqual(minsu.expect_inner("JOIN", sid_m)[1].args,
                         [JIYEON, "지연이", "이지연", "", "1"])

        self.assertEqual(jiyeon.request("SS", sid_j, "MESG", ["TYPING", "1"]).command, "MESG")
        envelope, typing = minsu.expect_inner("MESG", sid_m)
        self.assertEqual((envelope.txid, typing.txid, typing.args), (0, 0, [JIYEON, "TYPING", "1"]))
        text = "0\t255\tB\t안녕 하세요\t100%"
        self.assertEqual(jiyeon.request("SS", sid_j, "MESG", ["MSG", text]).command, "MESG")
        self.assertEqual(minsu.expect_inner("MESG", sid_m)[1].args, [JIYEON, "MSG", text])

        sid_h, listed = self.accept(junho, JUNHO, self.invite(minsu, MINSU, JUNHO, room))
        self.assertEqual(sorted(listed), [JIYEON, MINSU])
        minsu.expect_inner("JOIN", sid_m)
        jiyeon.expect_inner("JOIN", sid_j)
        junho.request("SS", sid_h, "MESG", ["MSG", "0\t0\t0\t반가워요"])
        for client, sid in ((minsu, sid_m), (jiyeon, sid_j)):
            self.assertEqual(client.expect_inner("MESG", sid)[1].args[:2], [JUNHO, "MSG"])

        leave = jiyeon.call("CSES", ["KILL", "SS", sid_j], b"")
        self.assertEqual(words_of(leave.payload), [sid_j, "Y"])
        self.assertEqual(minsu.expect_inner("QUIT", sid_m)[1].args, [JIYEON, "0"])
        junho.expect_inner("QUIT", sid_h)
        junho.close()  # leaving by dropping the connection
        self.assertEqual(minsu.expect_inner("QUIT", sid_m)[1].args[0], JUNHO)

        self.assertEqual(minsu.request("SS", sid_m, "MESG", ["MSG", "0\t0\t0\t여보세요"]).command,
                         "308")
        self.assertEqual(minsu.request("SS", sid_j, "MESG", ["TYPING", "1"]).command, "270")
        self.assertEqual(minsu.request("SS", "nope", "ENTR", [MINSU]).command, "270")

    def test_invitations_reach_only_signed_in_users(self):
        minsu, _ = self.svc.sign_in(MINSU)
        room = minsu.dp("RESS").args
        invitation = frame("INVT", None, [MINSU] + room)
        self.assertEqual(minsu.dp("CTOC", [JUNHO, "A"], invitation).command, "305")
        self.assertEqual(minsu.dp("CTOC", ["ghost@quorix.net", "A"], invitation).command, "304")
        # Only an invitation is relayed: nothing that would act on the other's client.
        jiyeon, _ = self.svc.sign_in(JIYEON)
        for word in ("KILL", "SNFY", "NTFY"):
            forged = frame(word, 0, [JIYEON, "", "Y", "0", "0"])
            self.assertEqual(minsu.dp("CTOC", [JIYEON, "A"], forged).command, "202", word)
        self.assertTrue(jiyeon.quiet("CTOC"))
        reply = minsu.call("CSES", ["CONN", "SS", ""], b"h 1 unknown-key")
        self.assertEqual(reply.command, "270")


class Rooms(unittest.TestCase):

    def test_full_table_reclaims_only_rooms_that_are_empty_and_no_longer_reserved(self):
        rooms = {"old": Room("old", now=0.0), "reserved": Room("reserved", now=100.0),
                 "busy": Room("busy", now=0.0)}
        rooms["busy"].members["s"] = object()
        prune_rooms(rooms, now=100.0 + ROOM_ENTRY_TIMEOUT / 2)
        self.assertEqual(sorted(rooms), ["busy", "reserved"])
        prune_rooms(rooms, now=100.0 + ROOM_ENTRY_TIMEOUT)
        self.assertEqual(sorted(rooms), ["busy"])

    def test_numbers_are_ascii_digits_only(self):
        for word, number, int32 in (("12", True, True), ("-7", False, True), ("²", False, False),
                                    ("٣", False, False), ("+5", False, False), ("1_0", False, False),
                                    (" 1", False, False), ("", False, False),
                                    ("2147483648", True, False)):
            self.assertEqual((wire.is_number(word), wire.is_int32(word)), (number, int32), word)
