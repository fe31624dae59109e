"""Memos: sending (CMSG with an IMSG inside) and the memo box (WGET)."""

import math
import re

from . import wire
from .service import INVALID_PACKET, MISSING_DATA, now_stamp

MAX_RECEIVERS = 100
MAX_BOX = 1000
# Memo-box result codes of WGET answers.
MEMO_OK = 100
MEMO_BAD_PARAMETER = 201
MEMO_NOT_FOUND = 202
# Header keys of a sent memo that are kept and given back when it is read.
KEPT_HEADERS = ("confirm", "event", "font-name", "font-size", "font-color", "font-style",
                "contenttype")
DATE_RE = re.compile(r"\d{14}")


def parse_imsg(data):
    """An IMSG packet without id ("IMSG", line end, header lines, empty line, body) into its
    header dict and body text; None when it is not one."""
    m = re.match(rb"IMSG[ \t]*\r?\n", data)
    if not m:
        return None
    rest = data[m.end():]
    headers = {}
    while rest:
        line, sep, rest = rest.partition(b"\n")
        line = line.replace(b"\r", b"")
        if not line:
            break
        text = line.decode("utf-8", errors="replace")
        if ":" in text:
            key, value = text.split(":", 1)
            headers.setdefault(key, wire.unescape(value))
        if not sep:
            rest = b""
    return headers, rest.decode("utf-8", errors="replace")


def imsg_bytes(memo):
    body = memo.body.encode("utf-8")
    style = memo.style
    headers = [
        ("from", memo.sender), ("ref", ";".join(memo.receivers)), ("title", memo.title),
        ("confirm", style.get("confirm", "0")), ("date", memo.date),
        ("event", style.get("event", "NW")), ("cookie", memo.cookie),
        ("font-name", style.get("font-name", "")), ("font-size", style.get("font-size", "9")),
        ("font-color", style.get("font-color", "#000000")),
        ("font-style", style.get("font-style", "")),
        ("contenttype", style.get("contenttype", "text")), ("length", len(body))]
    head = "".join("%s:%s\r\n" % (k, wire.escape(v)) for k, v in headers)
    return b"IMSG\r\n" + head.encode("utf-8") + b"\r\n" + body


class MemoCommands:

    def cmd_cmsg(self, ctx):
        if not self.signed_in(ctx):
            return
        first, sep, inner = ctx.frame.payload.partition(b"\n")
        receivers = first.decode("utf-8", errors="replace").split()
        parsed = parse_imsg(inner) if sep else None
        if not receivers or parsed is None:
            return ctx.fail(MISSING_DATA)
        if len(receivers) > MAX_RECEIVERS:
            return ctx.fail(INVALID_PACKET)
        headers, body = parsed
        known, missing = [], []
        for r in receivers:
            account = self.directory.find(r)
            if account is None:
                missing.append(r)
            elif account not in known:
                known.append(account)
        if known:
            date = headers.get("date", "")
            style = {k: headers[k] for k in KEPT_HEADERS if k in headers}
            self.deliver_memo(ctx.account, known, headers.get("title", ""), body,
                              date if DATE_RE.fullmatch(date) else now_stamp(), style)
        ctx.reply("CMSG", [], " ".join(missing).encode("utf-8"))

    def deliver_memo(self, sender, receivers, title, body, date, style=None):
        """Stores a memo and announces it to the receivers that are signed in."""
        self.directory.store_memo(sender, receivers, title, body, date, style=style)
        for account in [sender] + receivers:
            for box in (account.inbox, account.sent):
                del box[MAX_BOX:]
        for account in receivers:
            peer = self.online.get(account.id.lower())
            if peer is not None:
                peer.send(wire.build("CMSG", 0, [sender.id], imsg_bytes(account.inbox[0])))

    def cmd_wget(self, ctx):
        if not self.signed_in(ctx):
            return
        kind, size = ctx.frame.arg(0), ctx.frame.arg(2)
        size = int(size) if wire.is_number(size) else 0
        size = min(max(size, 16), 65536) if size else 8192
        request = wire.parse_form(ctx.frame.payload)
        answer = {"MEMOLST2": self.memo_list, "MEMOCNT2": self.memo_count,
                  "MEMOGET2": self.memo_get, "MEMOREL1": lambda a, r: (MEMO_OK, b"N\r\n"),
                  "MEMODEL1": self.memo_delete, "MEMOSPM1": self.memo_spam}.get(kind)
        result, data = answer(ctx.account, request) if answer else (MEMO_BAD_PARAMETER, b"")
        pieces = [data[i:i + size] for i in range(0, len(data), size)] or [b""]
        for index, piece in enumerate(pieces, 1):
            ctx.reply("WGET", [kind, len(pieces), index, result], piece)

    def memo_list(self, account, request):
        box = {"1": account.inbox, "3": account.sent}.get(request.get("boxtype"))
        page, count = request.get("requestpage", ""), request.get("count", "")
        if box is None or not wire.is_number(page) or not wire.is_number(count):
            return MEMO_BAD_PARAMETER, b""
        page, count = int(page), int(count)
        if page < 1 or not 1 <= count <= 50:
            return MEMO_BAD_PARAMETER, b""
        pages = max(1, math.ceil(len(box) / count))
        lines = [wire.words_line([page, "1" if page < pages else "0", pages])]
        sent = box is account.sent
        for m in box[(page - 1) * count:page * count]:
            # Memos written on the phone have no title: the list shows their text instead.
            # A sent memo names whom it went to where a received one names its sender.
            who = ";".join(m.receivers) if sent else m.sender
            lines.append(wire.words_line([m.number, who, m.title or m.body, m.date,
                                          "1" if m.read else "0", "0", m.cookie]))
        return MEMO_OK, b"".join(lines)

    def memo_count(self, account, request):
        unread = sum(1 for m in account.inbox if not m.read)
        return MEMO_OK, wire.words_line([unread])

    @staticmethod
    def find_memo(account, request):
        """(box, memo) for the request's cookie in the box its box_type names."""
        boxes = {"R": [account.inbox], "S": [account.sent],
                 "A": [account.inbox, account.sent]}.get(request.get("box_type", "A"), [])
        for box in boxes:
            for memo in box:
                if memo.cookie == request.get("cookie"):
                    return box, memo
        return None, None

    def memo_get(self, account, request):
        box, memo = self.find_memo(account, request)
        if memo is None:
            return MEMO_NOT_FOUND, b""
        memo.read = True
        return MEMO_OK, imsg_bytes(memo)

    def memo_delete(self, account, request):
        box, memo = self.find_memo(account, request)
        if memo is None:
            return MEMO_NOT_FOUND, b""
        box.remove(memo)
        return MEMO_OK, b""

    def memo_spam(self, account, request):
        box, memo = self.find_memo(account, dict(request, box_type="R"))
        if memo is None:
            return MEMO_NOT_FOUND, b""
        box.remove(memo)
        account.spam.append(memo)
        del account.spam[:-MAX_BOX]
        return MEMO_OK, b""
