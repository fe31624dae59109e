from tests.support import JIYEON, MINSU, ServiceTest, esc, words_of


def imsg(title, body):
    # A memo packet as a sender writes it: no id, header lines, empty line, body.
    headers = [("from", JIYEON), ("ref", MINSU + ";ghost@quorix.net"), ("title", title),
               ("confirm", "0"), ("date", "20240310101010"), ("event", "NW"),
               ("font-name", ""), ("font-size", "9"), ("font-color", "#0000ff"),
               ("font-style", "B"), ("contenttype", "text"), ("length", len(body.encode()))]
    head = "".join("%s:%s\r\n" % (k, esc(v)) for k, v in headers)
    return ("IMSG\r\n" + head + "\r\n" + body).encode()


def headers_of(payload):
    head, _, body = payload.partition(b"\r\n\r\n")
    lines = head.decode().split("\r\n")
    assert lines[0] == "IMSG", lines
    pairs = dict(line.split(":", 1) for line in lines[1:])
    return pairs, body.decode()


class Memos(ServiceTest):

    def wget(self, client, kind, pairs=(), size=8192):
        # A memo-box request; returns (result code, reassembled answer bytes).
        # Each pair is escaped as a whole, like one argument.
        body = "&".join(esc("%s=%s" % (k, v)) for k, v in pairs).encode()
        answers = [client.dp("WGET", [kind, "N", size], body)]
        while answers[-1].command == "WGET" and answers[-1].args[2] != answers[-1].args[1]:
            answers.append(client.expect_inner("WGET")[1])
        last = answers[-1]
        self.assertEqual(last.args[0], kind)
        return int(last.args[3]), b"".join(a.payload for a in answers)

    def inbox(self, client, page=1):
        result, data = self.wget(client, "MEMOLST2", [("msgtype", 1), ("boxtype", 1),
                                                     ("requestpage", page), ("count", 10)])
        self.assertEqual(result, 100)
        words = words_of(data)
        return words[:3], [words[i:i + 7] for i in range(3, len(words), 7)]

    def test_memo_sent_listed_read_deleted_and_reported(self):
        minsu, _ = self.svc.sign_in(MINSU)
        jiyeon, _ = self.svc.sign_in(JIYEON)
        body = "본문 첫 줄\r\n둘째 줄 100%"
        recipients = ("%s ghost@quorix.net\r\n" % MINSU).encode()
        reply = jiyeon.dp("CMSG", ["Y"], recipients + imsg("주간 보고", body))
        self.assertEqual((reply.command, reply.payload), ("CMSG", b"ghost@quorix.net"))

        notice = minsu.expect("CMSG")
        self.assertEqual(notice.args, [JIYEON])
        headers, text = headers_of(notice.payload)
        self.assertEqual((headers["title"], headers["font-color"]), ("주간%20보고", "#0000ff"))
        self.assertEqual(text, body)

        head, memos = self.inbox(minsu)
        self.assertEqual(head, ["1", "0", "1"])
        self.assertEqual([m[2] for m in memos], ["주간 보고", "점심 약속", "회의 자료"])
        new = memos[0]
        self.assertEqual(new[1] + new[3] + new[4], JIYEON + "20240310101010" + "0")
        self.assertEqual(new[6], headers["cookie"])
        self.assertEqual(self.wget(minsu, "MEMOCNT2"), (100, b"2\r\n"))

        # Small fragments are reassembled into the same memo.
        result, data = self.wget(minsu, "MEMOGET2", [("cookie", new[6]), ("box_type", "R")],
                                 size=40)
        self.assertEqual(result, 100)
        self.assertEqual(headers_of(data)[1], body)
        self.assertEqual(self.wget(minsu, "MEMOCNT2")[1], b"1\r\n")

        lunch = memos[1][6]
        self.assertEqual(self.wget(minsu, "MEMOSPM1", [("cookie", lunch)])[0], 100)
        spam = self.svc.control("/account?id=" + MINSU)[1]["spam"]
        self.assertEqual([m["title"] for m in spam], ["점심 약속"])
        pairs = [("cookie", new[6]), ("box_type", "R")]
        self.assertEqual(self.wget(minsu, "MEMODEL1", pairs), (100, b""))
        self.assertEqual(self.wget(minsu, "MEMODEL1", pairs), (202, b""))
        self.assertEqual([m[2] for m in self.inbox(minsu)[1]], ["회의 자료"])

        result, data = self.wget(jiyeon, "MEMOLST2", [("msgtype", 1), ("boxtype", 3),
                                                      ("requestpage", 1), ("count", 10)])
        self.assertEqual(words_of(data)[3:10][2], "주간 보고")
        self.assertEqual(self.wget(minsu, "MEMOLST2", [("boxtype", 1)])[0], 201)
        self.assertEqual(self.wget(minsu, "MEMOXXX1")[0], 201)

    def test_inbox_pages_of_ten(self):
        minsu, _ = self.svc.sign_in(MINSU)
        for i in range(10):
            self.svc.control("/memo", {"from": JIYEON, "to": [MINSU], "title": "메모 %d" % i})
        for i in range(10):
            minsu.expect("CMSG")
        head, first = self.inbox(minsu, 1)
        self.assertEqual((head, len(first), first[0][2]), (["1", "1", "2"], 10, "메모 9"))
        head, second = self.inbox(minsu, 2)
        self.assertEqual(first[-1][2], "메모 0")
        self.assertEqual((head, [m[2] for m in second]),
                         (["2", "0", "2"], ["점심 약속", "회의 자료"]))


    def test_a_party_writes_memos_and_reads_its_box(self):
        minsu, _ = self.svc.sign_in(MINSU)
        self.assertEqual(self.svc.control("/party/sign-in", {"user": JIYEON})[0], 200)
        sent = self.svc.control("/party/memo", {"user": JIYEON, "to": [MINSU, "ghost@quorix.net"],
                                                "title": "안녕 하세요", "body": "본문"})[1]
        self.assertEqual(sent, {"result": "CMSG", "undelivered": ["ghost@quorix.net"]})
        headers, body = headers_of(minsu.expect("CMSG").payload)
        self.assertEqual((headers["title"], body), ("안녕%20하세요", "본문"))

        listed = self.svc.control("/party/memos?user=%s&box=sent" % JIYEON)[1]
        self.assertEqual((listed["result"], listed["page"], listed["pages"]), (100, "1", "1"))
        self.assertEqual(listed["memos"][0]["title"], "안녕 하세요")
        cookie = self.inbox(minsu)[1][0][6]
        self.assertEqual(self.wget(minsu, "MEMOGET2", [("cookie", cookie), ("box_type", "R")])[0],
                         100)

        # The reply names the memo it answers; the party reads it from its inbox.
        reply = imsg("답장", "잘 지내").replace(b"event:NW\r\n", b"event:RE\r\ncookie:" +
                                              cookie.encode() + b"\r\n")
        reply = reply.replace(b"from:" + JIYEON.encode(), b"from:" + MINSU.encode())
        self.assertEqual(minsu.dp("CMSG", ["Y"], (JIYEON + "\r\n").encode() + reply).payload, b"")
        inbox = self.svc.control("/party/memos?user=" + JIYEON)[1]["memos"]
        self.assertEqual((inbox[0]["from"], inbox[0]["read"]), (MINSU, False))
        read = self.svc.control("/party/read-memo", {"user": JIYEON, "cookie": inbox[0]["cookie"]})[1]
        self.assertEqual((read["result"], read["headers"]["event"], read["body"]),
                         (100, "RE", "잘 지내"))
        self.assertEqual(self.svc.control("/party/read-memo",
                                          {"user": JIYEON, "cookie": "nope"})[1]["result"], 202)
