"""The second party: demo accounts that act without a socket of their own.

A party is a virtual session that the service treats like any signed-in user: presence,
buddy notices, memos and chat traffic reach it and are recorded. Its actions go through the
same command handlers as a client's frames, so the other side sees exactly what a real
client would cause. Control endpoints (POST takes a JSON object, GET a query string;
"user" always names the demo account; "sid" names one of its chat sessions and may be left
out when the party is in exactly one, or to mean the newest):

  POST /party/sign-in   {"user", "status": "O"}    -> {"user", "conn"}
  POST /party/sign-out  {"user"}                    -> {"user"}
  GET  /party/received  ?user=&since=0&command=    -> {"next", "frames": [...]}
       each frame: {"seq", "command", "txid", "args", "payload"} plus, for a frame that came
       inside an envelope, "via" ("CRP2" or "CTOC"), "key" (CRP2) or "from" (CTOC); a chat
       line ("MESG" of kind "MSG"/"AWAYMSG") has "line": {"font", "color", "style", "text"}
  POST /party/accept    {"user", "from"?}          accepts the newest invitation not yet
                                                    taken (from "from"), connects and enters
                                                    -> {"sid", "key", "members"}
  POST /party/say       {"user", "text", "sid"?, "kind": "MSG", "font": "0",
                         "color": 0, "style": "0"}  -> {"sid", "result"}
  POST /party/typing    {"user", "state": "1", "sid"?}  -> {"sid", "result"}
  POST /party/leave     {"user", "sid"?}           -> {"sid", "left"}
  POST /party/invite    {"user", "to", "sid"?}     invites "to" into the party's chat "sid",
                                                    or into a new room it opens and enters
                                                    -> {"sid", "key"}
  POST /party/echo      {"user", "on": true}       every chat line the party receives from a
                                                    client is said back in the same chat
  POST /party/command   {"user", "command", "args": [], "payload"?, "key"?}  any other request
                        ("key" sends it inside a CRP2 SS envelope) -> {"reply": frame}

"result" is the reply's command word ("MESG") or failure code ("308"). To add an action,
write one method taking (party, data) and list it in `Parties.ACTIONS`.
"""

import asyncio
import collections

from . import wire
from .httpd import json_response

RECEIVED_KEEP = 5000
STATUS_LETTERS = "OAMPBX"
LINE_KINDS = ("MSG", "AWAYMSG")


def chat_line(word):
    """A chat text word split into its font, colour, style and text fields."""
    fields = word.split("\t", 3)
    if len(fields) < 4:
        return None
    return {"font": fields[0], "color": fields[1], "style": fields[2], "text": fields[3]}


def parse_sent(data):
    """One frame the service sent, as bytes built by `wire.build` (or a failure reply)."""
    line, _, payload = bytes(data).partition(b"\n")
    return wire.Frame(line.rstrip(b"\r"), payload)


def parse_unnumbered(data):
    """A frame that travels without a transaction id (the inner frame of a CTOC)."""
    line, _, payload = bytes(data).partition(b"\n")
    words = wire.split_words(line.rstrip(b"\r"))
    frame = wire.Frame(words[0] if words else b"", payload)
    frame.args = [wire.decode_word(w) for w in words[1:]]
    return frame


class Party:
    """A virtual connection: looks like `Conn` to the service and records what it is sent."""

    virtual = True

    def __init__(self, service, number, account):
        self.service = service
        self.id = number
        self.server = "main"
        self.account = account
        self.user_hint = ""
        self.device = "party"
        self.auth_word = None
        self.lin2_failures = 0
        self.bad_frames = 0
        self.sids = set()
        self.closed = False
        self.received = collections.deque(maxlen=RECEIVED_KEEP)
        self.seq = 0
        self.txid = 0
        self.replies = {}
        self.echo = False
        self.taken = set()
        self.session_order = []

    # -- what the service calls on a connection

    def user(self):
        return self.account.id if self.account else (self.user_hint or "-")

    def send(self, data):
        if self.closed:
            return
        self.service.log(self, "send", data)
        frame = parse_sent(data)
        record = self.record(frame)
        if frame.command == "CRP2":
            inner = parse_sent(frame.payload)
            record = self.record(inner, via="CRP2", key=frame.arg(1))
            frame = inner
        elif frame.command == "CTOC":
            inner = parse_unnumbered(frame.payload)
            record = self.record(inner, via="CTOC", sender=frame.arg(0))
            frame = inner
        if frame.txid in self.replies:
            self.replies[frame.txid] = frame
        if self.echo and record.get("line") and record.get("key") in self.sids:
            self.echo_line(record)

    def send_chunks(self, chunks, delay=0.0, close=False):
        for chunk in chunks:
            self.service.log(self, "raw", chunk)
        if close:
            self.close()

    def close(self):
        self.service.sign_out(self)
        self.closed = True
        self.service.conns.pop(self.id, None)

    def abort(self):
        self.close()

    # -- recording

    def record(self, frame, via=None, key=None, sender=None):
        self.seq += 1
        entry = {"seq": self.seq, "command": frame.command, "txid": frame.txid,
                 "args": frame.args, "payload": frame.payload.decode("utf-8", "replace")}
        if via:
            entry["via"] = via
        if key is not None:
            entry["key"] = key
        if sender is not None:
            entry["from"] = sender
        if frame.command == "MESG" and frame.arg(1) in LINE_KINDS:
            entry["line"] = chat_line(frame.arg(2))
        self.received.append(entry)
        return entry

    def echo_line(self, record):
        sender = self.service.online.get(record["args"][0].lower())
        if sender is None or getattr(sender, "virtual", False):
            return  # two echoing parties would talk for ever
        sid, word = record["key"], record["args"][2]
        # After the sender's own request has been answered, as a client would.
        asyncio.get_running_loop().call_soon(
            lambda: self.request("MESG", [record["args"][1], word], key=sid))

    # -- acting

    def request(self, command, args=(), payload=None, key=None):
        """Sends one frame (inside a CRP2 SS envelope for `key`) through the service's
        handlers; returns the reply frame, None when nothing answered."""
        if self.closed:
            return None
        self.txid += 1
        txid = self.txid
        data = wire.build(command, txid, args, payload)
        self.replies[txid] = None
        try:
            if key is not None:
                self.txid += 1
                data = wire.envelope("SS", key, self.txid, data)
            self.service.handle_frame(self, wire.parse_frame(data))
            return self.replies.get(txid)
        finally:
            self.replies.pop(txid, None)

    def sid_of(self, data):
        sid = data.get("sid")
        if sid is None:
            live = [s for s in self.session_order if s in self.sids]
            if not live:
                raise ValueError("%s is in no chat" % self.account.id)
            return live[-1]
        if sid not in self.sids:
            raise ValueError("%s is not in chat %r" % (self.account.id, sid))
        return sid

    def join(self, host, port, key):
        """CSES CONN then ENTR; returns the new chat session id."""
        reply = self.request("CSES", ["CONN", "SS", ""],
                             ("%s %s %s" % (host, port, key)).encode("utf-8"))
        if reply is None or reply.command != "CSES":
            raise ValueError("connecting to the chat failed: %s" % (reply and reply.command))
        sid = wire.read_words(reply.payload)[1]
        self.session_order.append(sid)
        account = self.account
        entered = self.request("ENTR", [account.id, account.nick, account.name, "", "UTF8", "P",
                                        "1.1", "2", "1.0.3", "ko.wm"], key=sid)
        if entered is None or entered.command != "ENTR":
            raise ValueError("entering the chat failed: %s" % (entered and entered.command))
        return sid


class PartyActions:
    """Control routes, one action each: it takes the party the request names and the data."""

    ACTIONS = {}

    def __init__(self, parties):
        self.parties = parties

    def routes(self):
        return {route: self.bind(name) for route, name in self.ACTIONS.items()}

    def bind(self, name):
        method = getattr(self, name)
        return lambda data: method(self.parties.party(data), data)


class Parties(PartyActions):
    """The control actions, one method each, and the parties signed in."""

    ACTIONS = {
        ("POST", "/party/sign-in"): "sign_in", ("POST", "/party/sign-out"): "sign_out",
        ("GET", "/party/received"): "received", ("POST", "/party/accept"): "accept",
        ("POST", "/party/say"): "say", ("POST", "/party/typing"): "typing",
        ("POST", "/party/leave"): "leave", ("POST", "/party/invite"): "invite",
        ("POST", "/party/echo"): "set_echo", ("POST", "/party/command"): "command"}

    def __init__(self, service):
        super().__init__(self)
        self.service = service

    def bind(self, name):
        return getattr(self, name) if name == "sign_in" else super().bind(name)

    def party(self, data):
        account = self.service.directory.find(data.get("user", ""))
        if account is None:
            raise ValueError("unknown user %r" % data.get("user"))
        conn = self.service.online.get(account.id.lower())
        if conn is None or not getattr(conn, "virtual", False):
            raise ValueError("%s is not signed in as a party" % account.id)
        return conn

    # -- actions

    def sign_in(self, data):
        s = self.service
        account = s.directory.find(data.get("user", ""))
        if account is None:
            raise ValueError("unknown user %r" % data.get("user"))
        letter = data.get("status", "O")
        if letter not in STATUS_LETTERS:
            raise ValueError("status must be one of " + STATUS_LETTERS)
        if account.id.lower() in s.online:
            return json_response(409, {"error": "%s is signed in already" % account.id})
        s.conn_number += 1
        party = Party(s, s.conn_number, account)
        s.conns[party.id] = party
        s.online[account.id.lower()] = party
        s.log(party, "note", "party signed in")
        s.set_status(account, letter)
        return json_response(200, {"user": account.id, "conn": party.id})

    def sign_out(self, party, data):
        user = party.account.id
        party.close()
        return json_response(200, {"user": user})

    def received(self, party, data):
        since = int(data.get("since", 0))
        command = data.get("command")
        frames = [f for f in party.received
                  if f["seq"] > since and (command is None or f["command"] == command)]
        return json_response(200, {"next": party.seq, "frames": frames})

    def accept(self, party, data):
        inviter = data.get("from")
        for f in reversed(party.received):
            if f["seq"] in party.taken or f.get("via") != "CTOC" or f["command"] != "INVT":
                continue
            if inviter is not None and f["from"].lower() != str(inviter).lower():
                continue
            if len(f["args"]) < 4:
                continue
            party.taken.add(f["seq"])
            _, host, port, key = f["args"][:4]
            sid = party.join(host, port, key)
            return json_response(200, {"sid": sid, "key": key, "members": self.members(sid)})
        return json_response(409, {"error": "no invitation waiting"})

    def say(self, party, data):
        sid = party.sid_of(data)
        kind = data.get("kind", "MSG")
        if kind not in LINE_KINDS:
            raise ValueError("kind must be MSG or AWAYMSG")
        word = "\t".join([str(data.get("font", "0")) or "0", str(int(data.get("color", 0))),
                          str(data.get("style", "0")) or "0", str(data.get("text", ""))])
        reply = party.request("MESG", [kind, word], key=sid)
        return json_response(200, {"sid": sid, "result": reply.command if reply else None})

    def typing(self, party, data):
        sid = party.sid_of(data)
        reply = party.request("MESG", ["TYPING", str(data.get("state", "1"))], key=sid)
        return json_response(200, {"sid": sid, "result": reply.command if reply else None})

    def leave(self, party, data):
        sid = party.sid_of(data)
        reply = party.request("CSES", ["KILL", "SS", sid], b"")
        words = wire.read_words(reply.payload) if reply is not None else []
        return json_response(200, {"sid": sid, "left": words[1:2] == ["Y"]})

    def invite(self, party, data):
        target = self.service.directory.find(data.get("to", ""))
        if target is None:
            raise ValueError("unknown user %r" % data.get("to"))
        if data.get("sid") is not None:
            sid = party.sid_of(data)
            member = self.service.sessions[sid]
            key = member.room.key
        else:
            ress = party.request("RESS")
            if ress is None or ress.command != "RESS":
                raise ValueError("no chat server: %s" % (ress and ress.command))
            host, port, key = ress.args[:3]
            sid = party.join(host, port, key)
        host, port = self.service.options.advertise_host, self.service.ports["main"]
        invitation = wire.build("INVT", None, [party.account.id, host, port, key])
        reply = party.request("CTOC", [target.id, "A"], invitation)
        if reply is not None:
            return json_response(409, {"error": "invitation not delivered: " + reply.command,
                                       "sid": sid, "key": key})
        return json_response(200, {"sid": sid, "key": key})

    def set_echo(self, party, data):
        party.echo = bool(data.get("on", True))
        return json_response(200, {"user": party.account.id, "echo": party.echo})

    def command(self, party, data):
        command = str(data.get("command", ""))
        if len(command) != 4:
            raise ValueError("command must be a four-letter word")
        payload = data.get("payload")
        payload = str(payload).encode("utf-8") if payload is not None else None
        reply = party.request(command, [str(a) for a in data.get("args", [])], payload,
                              key=data.get("key"))
        return json_response(200, {"reply": None if reply is None else {
            "command": reply.command, "args": reply.args,
            "payload": reply.payload.decode("utf-8", "replace")}})

    # -- reading

    def members(self, sid):
        participant = self.service.sessions.get(sid)
        if participant is None:
            return []
        return [p.user for p in participant.room.members.values() if p.entered]

    def rooms(self):
        """Every room with its members, for /state."""
        return [{"key": r.key, "members": [
            {"user": p.user, "sid": p.sid, "entered": p.entered,
             "party": getattr(p.conn, "virtual", False)} for p in r.members.values()]}
            for r in self.service.rooms.values()]
