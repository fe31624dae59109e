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
        # The sent box names whom a memo went to (those it reached), not its sender.
        self.assertEqual(words_of(data)[3:10][1], MINSU)
        self.assertEqual(self.wget(minsu, "MEMOLST2", [("boxtype", 1)])[0], 201)
        self.assertEqual(self.wget(minsu, "MEMOXXX1")[0], 201)
