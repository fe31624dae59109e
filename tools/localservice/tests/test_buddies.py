from tests.support import DAHYE, JIYEON, JUNHO, MINSU, SEOYUN, ServiceTest


def record(body, user):
    # The thirteen words of a buddy in a buddy list body.
    records = body[len(body) - 13 * int(body[1]):]
    for i in range(0, len(records), 13):
        if records[i] == user:
            return records[i:i + 13]
    raise AssertionError("%s not in %s" % (user, body))


def ntfy(user, letter):
    return lambda f: f.command == "NTFY" and f.args[:2] == [user, letter]


class Presence(ServiceTest):

    def flags(self, user, buddy):
        account = self.svc.control("/account?id=" + user)[1]
        return {b["id"]: b["flags"] for b in account["buddies"]}.get(buddy)

    def test_presence_notices_follow_status_nick_and_sign_out(self):
        minsu, _ = self.svc.sign_in(MINSU)
        seoyun, _ = self.svc.sign_in(SEOYUN)
        jiyeon, body = self.svc.sign_in(JIYEON)
        minsu.expect(ntfy(JIYEON, "O"))
        self.assertEqual(record(body, MINSU)[5], "O")

        self.assertEqual(jiyeon.dp("ONST", ["A", "0", "", "2"]).command, "ONST")
        minsu.expect(ntfy(JIYEON, "A"))
        self.assertEqual(jiyeon.dp("CNIK", ["새 대화명"]).command, "CNIK")
        self.assertEqual(minsu.expect("NNIK").args, [JIYEON, "새 대화명"])
        jiyeon.dp("ONST", ["X", "0", "", "2"])  # shown offline looks offline to others
        minsu.expect(ntfy(JIYEON, "F"))
        jiyeon.dp("ONST", ["O", "0", "", "2"])
        minsu.expect(ntfy(JIYEON, "O"))
        self.assertEqual(jiyeon.dp("ONST", ["Q", "0", "", "2"]).command, "202")

        # minsu has not allowed seoyun (a pending request): she sees nothing of him.
        minsu.dp("ONST", ["B", "0", "", "2"])
        jiyeon.expect(ntfy(MINSU, "B"))
        self.assertTrue(seoyun.quiet("NTFY"))

        # A buddy steered through the control channel, without a connection.
        self.svc.control("/presence", {"user": JUNHO, "status": "P", "nick": "출장 중"})
        minsu.expect(ntfy(JUNHO, "P"))
        self.assertEqual(minsu.expect("NNIK").args, [JUNHO, "출장 중"])
        self.svc.control("/presence", {"user": JUNHO, "mobile": "010-9999-0000"})
        self.assertEqual(minsu.expect("NPRF").args[:3], [JUNHO, "100000", "010-9999-0000"])

        jiyeon.send("LOUT")
        self.assertTrue(jiyeon.closed_by_peer())
        minsu.expect(ntfy(JIYEON, "F"))
        junho, _ = self.svc.sign_in(JUNHO, letter="X")
        self.assertTrue(minsu.quiet(ntfy(JUNHO, "O")))
        junho.close()  # an abrupt close signs out as well
        minsu.expect(ntfy(JUNHO, "F"))

    def test_buddy_request_accept_and_reject(self):
        junho, _ = self.svc.sign_in(JUNHO)
        dahye, _ = self.svc.sign_in(DAHYE)
        reply = junho.dp("ADSB", ["REQST", "", DAHYE, "0", "안녕하세요 준호입니다"])
        self.assertEqual(reply.args, ["REQST", DAHYE, "정다혜", "0", ""])
        notice = dahye.expect("ADDB")
        self.assertEqual((notice.txid, notice.args), (0, ["RL", JUNHO, JUNHO, "안녕하세요 준호입니다", ""]))
        self.assertEqual(self.flags(DAHYE, JUNHO), "0001")
        self.assertEqual(junho.dp("ADSB", ["REQST", "", DAHYE, "0", ""]).command, "307")
        self.assertEqual(junho.dp("ADSB", ["REQST", "", "ghost@quorix.net", "0", ""]).command,
                         "304")
        self.assertEqual(junho.dp("ADSB", ["REQST", "", JUNHO, "0", ""]).command, "304")

        reply = dahye.dp("ADSB", ["ACCPT", JUNHO, JUNHO, "0", ""])
        self.assertEqual(reply.args, ["ACCPT", JUNHO, "박준호", "0", ""])
        junho.expect(ntfy(DAHYE, "O"))
        dahye.expect(ntfy(JUNHO, "O"))
        self.assertEqual(self.flags(DAHYE, JUNHO), "1101")
        self.assertEqual(self.flags(JUNHO, DAHYE), "1101")

        # The demo's pending request, rejected: seoyun stays unseen.
        minsu, body = self.svc.sign_in(MINSU)
        self.assertEqual(record(body, SEOYUN)[4], "0001")
        self.assertEqual(minsu.dp("ADSB", ["REJCT", SEOYUN, SEOYUN, "0", ""]).args,
                         ["REJCT", SEOYUN, ""])
        self.assertEqual(self.flags(MINSU, SEOYUN), "0011")

    def test_block_groups_moves_and_removal(self):
        minsu, _ = self.svc.sign_in(MINSU)
        jiyeon, _ = self.svc.sign_in(JIYEON)
        junho, _ = self.svc.sign_in(JUNHO)
        self.assertEqual(minsu.dp("ADDB", ["BL", JIYEON, JIYEON, "1"]).args, [JIYEON, ""])
        jiyeon.expect(ntfy(MINSU, "F"))
        minsu.dp("ADDB", ["AL", JIYEON, JIYEON, "1"])
        jiyeon.expect(ntfy(MINSU, "O"))

        self.assertEqual(minsu.dp("ADDG", ["0", "가족"]).args, ["0", "3"])
        self.assertEqual(minsu.dp("ADDG", ["0", ""]).command, "201")
        moves = ("0 %s %s 1 3\r\n1 %s %s 2 9\r\n" % (JIYEON, JIYEON, JUNHO, JUNHO)).encode()
        reply = minsu.dp("MVBG", ["0"], moves)
        self.assertEqual(reply.payload.split(), [b"0", b"100", b"1", b"202"])

        reply = minsu.dp("RMVB", ["FL", JUNHO, JUNHO])
        self.assertEqual(reply.args, [JUNHO])
        self.assertEqual(junho.expect("RMVB").args, ["RL", MINSU, MINSU])
        self.assertEqual(self.flags(MINSU, JUNHO), "0101")
        self.assertEqual(self.flags(JUNHO, MINSU), "1100")

        minsu.close()
        again, body = self.svc.sign_in(MINSU, device="dev-2")
        groups = body[2:2 + 4 * 3 + 1]  # four groups, one member between them
        self.assertEqual(groups, ["0", "기타", "0", "1", "친구", "0", "2", "회사", "0",
                                  "3", "가족", "1", JIYEON])
