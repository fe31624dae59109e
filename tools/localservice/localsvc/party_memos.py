"""Memo actions of the second party: it writes memos and reads its memo box through the
same command handlers as a client (a CMSG or WGET inside a CRP2 envelope of kind "DP").

  POST /party/memo       {"user", "to": [ids], "title": "", "body": "", "event": "NW",
                          "cookie"?}  -> {"result", "undelivered": [ids]}
  GET  /party/memos      ?user=&box=inbox|sent&page=1&count=10
                          -> {"result", "page", "more", "pages",
                              "memos": [{"id", "from", "title", "date", "read", "cookie"}]}
                          ("from" of the sent box: the receivers, separated by ";")
  POST /party/read-memo  {"user", "cookie", "box": "R"}
                          -> {"result", "headers": {...}, "body"}
  POST /party/memo-box   {"user", "kind", "pairs": {...}}  any memo-box request
                          -> {"result", "payload"}

"result" is the answer's result code (100 is success) or a failure reply's code.
"""

from . import memos, wire
from .httpd import json_response
from .party import PartyActions, parse_sent
from .service import now_stamp


def exchange(party, command, args=(), payload=None):
    """One request inside a CRP2 "DP" envelope; every reply frame that carries its id."""
    party.txid += 1
    txid = party.txid
    party.txid += 1
    data = wire.envelope("DP", "", party.txid, wire.build(command, txid, args, payload))
    replies = []
    original = party.send

    def capture(sent):
        original(sent)
        frame = parse_sent(sent)
        if frame.command == "CRP2":
            frame = parse_sent(frame.payload)
        if frame.txid == txid:
            replies.append(frame)

    party.send = capture
    try:
        party.service.handle_frame(party, wire.parse_frame(data))
    finally:
        del party.send
    return replies


def memo_box(party, kind, pairs):
    """(result code, reassembled answer bytes) of one memo-box request."""
    body = "&".join(wire.form_escape("%s=%s" % (k, v)) for k, v in pairs).encode("utf-8")
    replies = exchange(party, "WGET", [kind, "N", "8192"], body)
    if not replies:
        raise ValueError("no answer to " + kind)
    last = replies[-1]
    if last.command != "WGET":
        return int(last.command) if last.command.isdigit() else 0, b""
    return int(last.arg(3, "0")), b"".join(f.payload for f in replies)


class PartyMemos(PartyActions):

    ACTIONS = {("POST", "/party/memo"): "send", ("GET", "/party/memos"): "list",
               ("POST", "/party/read-memo"): "read", ("POST", "/party/memo-box"): "box"}

    def send(self, party, data):
        to = data.get("to", [])
        receivers = [str(r) for r in (to.split(";") if isinstance(to, str) else to) if r]
        if not receivers:
            raise ValueError("\"to\" names nobody")
        event = str(data.get("event", "NW"))
        headers = [("from", party.account.id), ("ref", ";".join(receivers)),
                   ("title", str(data.get("title", ""))), ("confirm", "0"),
                   ("date", now_stamp()), ("event", event)]
        if event != "NW":
            headers.append(("cookie", str(data.get("cookie", ""))))
        body = str(data.get("body", "")).encode("utf-8")
        headers += [("font-name", ""), ("font-size", "9"), ("font-color", "#000000"),
                    ("font-style", ""), ("contenttype", "text"), ("length", len(body))]
        head = "".join("%s:%s\r\n" % (k, wire.escape(str(v))) for k, v in headers)
        inner = b"IMSG\r\n" + head.encode("utf-8") + b"\r\n" + body
        payload = (" ".join(receivers) + "\r\n").encode("utf-8") + inner
        replies = exchange(party, "CMSG", ["Y"], payload)
        reply = replies[-1] if replies else None
        return json_response(200, {
            "result": reply.command if reply else None,
            "undelivered": wire.read_words(reply.payload) if reply else []})

    def list(self, party, data):
        boxtype = {"inbox": "1", "sent": "3"}.get(data.get("box", "inbox"))
        if boxtype is None:
            raise ValueError("box must be inbox or sent")
        result, answer = memo_box(party, "MEMOLST2", [
            ("msgtype", "1"), ("boxtype", boxtype), ("requestpage", data.get("page", "1")),
            ("count", data.get("count", "10"))])
        words = wire.read_words(answer)
        records = [words[i:i + 7] for i in range(3, len(words) - 6, 7)]
        return json_response(200, {
            "result": result, "page": words[0] if words else None,
            "more": words[1] if len(words) > 1 else None,
            "pages": words[2] if len(words) > 2 else None,
            "memos": [{"id": r[0], "from": r[1], "title": r[2], "date": r[3],
                       "read": r[4] == "1", "cookie": r[6]} for r in records]})

    def read(self, party, data):
        result, answer = memo_box(party, "MEMOGET2", [("cookie", str(data.get("cookie", ""))),
                                                      ("box_type", str(data.get("box", "R")))])
        parsed = memos.parse_imsg(answer) if result == memos.MEMO_OK else None
        headers, body = parsed if parsed else ({}, "")
        return json_response(200, {"result": result, "headers": headers, "body": body})

    def box(self, party, data):
        pairs = data.get("pairs") or {}
        result, answer = memo_box(party, str(data.get("kind", "")), list(pairs.items()))
        return json_response(200, {"result": result,
                                   "payload": answer.decode("utf-8", "replace")})
