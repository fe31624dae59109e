"""The update host and the control channel that tests use to steer the service."""

import os

from . import wire
from .accounts import flags_to_text
from .httpd import json_response
from .party import Parties
from .party_buddies import BuddyParties
from .service import now_stamp

DESCRIPTOR_PATH = "/Upgrade/Upgrade_wm10.ipml"
STATUS_LETTERS = "OAMPBX"


class UpdateHost:
    def __init__(self, service):
        self.service = service

    def package_name(self):
        path = self.service.options.update_package
        return os.path.basename(path) if path else "Quorix.cab"

    def descriptor(self):
        options = self.service.options
        url = "http://%s:%d/Upgrade/%s" % (options.advertise_host, self.service.ports["update"],
                                           self.package_name())
        return ("[main]\r\nurl=%s\r\nmsg=%s\r\n" % (url, wire.form_escape(options.update_msg))
                ).encode("utf-8")

    def route(self, request):
        if request.method != "GET":
            return 405, "text/plain", b"GET only\n"
        if request.path == DESCRIPTOR_PATH and self.service.options.descriptor:
            return 200, "text/plain; charset=utf-8", self.descriptor()
        if request.path == "/Upgrade/" + self.package_name():
            path = self.service.options.update_package
            if not path:
                return 200, "application/octet-stream", b"local test package\n"
            try:
                with open(path, "rb") as f:
                    return 200, "application/octet-stream", f.read()
            except OSError:
                return 404, "text/plain", b"package missing\n"
        return 404, "text/plain", b"not found\n"


def chunks_of(spec):
    """The bytes a request asks for: "data" (text), "hex", or "chunks" (texts or {"hex"})."""
    if "data" in spec:
        return [str(spec["data"]).encode("utf-8")]
    if "hex" in spec:
        return [bytes.fromhex(spec["hex"])]
    if isinstance(spec.get("chunks"), list) and spec["chunks"]:
        return [bytes.fromhex(c["hex"]) if isinstance(c, dict) else str(c).encode("utf-8")
                for c in spec["chunks"]]
    raise ValueError("give \"data\", \"hex\" or \"chunks\"")


class Control:
    def __init__(self, service):
        self.service = service
        self.routes = {
            ("GET", "/state"): self.state, ("GET", "/log"): self.get_log,
            ("GET", "/account"): self.account,
            ("POST", "/notice"): self.notice, ("POST", "/presence"): self.presence,
            ("POST", "/kill"): self.kill, ("POST", "/drop-pongs"): self.drop_pongs,
            ("POST", "/close"): self.close, ("POST", "/raw"): self.raw,
            ("POST", "/rule"): self.rule, ("POST", "/rules/clear"): self.clear_rules,
            ("POST", "/ping"): self.ping, ("POST", "/update"): self.update,
            ("POST", "/memo"): self.memo}
        # Second party
        self.parties = Parties(service)
        self.routes.update(self.parties.routes())
        # Buddies
        self.routes.update(BuddyParties(service, self.parties).routes())

    def route(self, request):
        handler = self.routes.get((request.method, request.path))
        if handler is None:
            return json_response(404, {"error": "no such endpoint",
                                       "endpoints": sorted(p for _, p in self.routes)})
        data = request.json() if request.method == "POST" else dict(request.query)
        return handler(data)

    # -- helpers

    def account_of(self, data):
        account = self.service.directory.find(data.get("user", ""))
        if account is None:
            raise ValueError("unknown user %r" % data.get("user"))
        return account

    def conn_of(self, data):
        """The connection named by "conn" (a number) or the main session of "user"."""
        if "conn" in data:
            conn = self.service.conns.get(int(data["conn"]))
        else:
            conn = self.service.online.get(self.account_of(data).id.lower())
        return conn

    @staticmethod
    def not_connected():
        return json_response(409, {"error": "not connected"})

    # -- reading

    def state(self, data):
        s = self.service
        sessions = [{"conn": c.id, "user": c.account.id, "status": c.account.status,
                     "device": c.device} for c in s.online.values()]
        conns = [{"conn": c.id, "server": c.server, "user": c.user()} for c in s.conns.values()]
        return json_response(200, {"ports": s.ports, "sessions": sessions, "connections": conns,
                                   "rooms": self.parties.rooms(), "rules": len(s.rules)})

    def get_log(self, data):
        since = int(data.get("since", 0))
        entries = [e for e in self.service.log_entries if e["seq"] > since
                   and ("conn" not in data or str(e["conn"]) == data["conn"])
                   and ("user" not in data or e["user"].lower() == data["user"].lower())]
        return json_response(200, {"next": self.service.log_seq, "entries": entries})

    def account(self, data):
        a = self.account_of({"user": data.get("id", "")})
        memo = lambda m: {"cookie": m.cookie, "from": m.sender, "to": m.receivers,
                          "title": m.title, "body": m.body, "date": m.date, "read": m.read}
        return json_response(200, {
            "id": a.id, "name": a.name, "nick": a.nick, "status": a.status,
            "groups": [{"id": g, "name": n} for g, n in a.groups.items()],
            "buddies": [{"id": b, "flags": flags_to_text(e.flags), "group": e.group,
                         "message": e.message} for b, e in a.buddies.items()],
            "inbox": [memo(m) for m in a.inbox], "sent": [memo(m) for m in a.sent],
            "spam": [memo(m) for m in a.spam]})

    # -- acting

    def notice(self, data):
        conn = self.conn_of(data)
        command = str(data.get("command", ""))
        if len(command) != 4:
            raise ValueError("command must be a four-letter word")
        if conn is None:
            return self.not_connected()
        conn.send(wire.build(command, int(data.get("txid", 0)), [str(a) for a in
                                                                  data.get("args", [])]))
        return json_response(200, {"sent": True})

    def presence(self, data):
        account = self.account_of(data)
        if "status" in data:
            letter = data["status"]
            if letter not in (None, "F") and letter not in STATUS_LETTERS:
                raise ValueError("status must be one of O A M P B X F or null")
            self.service.set_status(account, None if letter in (None, "F") else letter)
        if "nick" in data:
            self.service.set_nick(account, str(data["nick"]))
        profile = {k: str(data[k]) for k in ("mobile", "text1", "text2", "birthday") if k in data}
        if profile:
            self.service.set_profile(account, profile)
        return json_response(200, {"user": account.id, "status": account.status,
                                   "nick": account.nick})

    def kill(self, data):
        conn = self.conn_of(data)
        if conn is None:
            return self.not_connected()
        args = data.get("args") or [conn.user(), "", "Y", 0, 0]
        conn.send(wire.build("KILL", 0, [str(a) for a in args]))
        self.service.sign_out(conn)
        conn.close()
        return json_response(200, {"killed": conn.id})

    def drop_pongs(self, data):
        account = self.account_of(data)
        self.service.drop_pongs[account.id.lower()] = int(data.get("count", 1))
        return json_response(200, {"user": account.id, "count": int(data.get("count", 1))})

    def close(self, data):
        conn = self.conn_of(data)
        if conn is None:
            return self.not_connected()
        conn.abort()
        return json_response(200, {"closed": conn.id})

    def raw(self, data):
        conn = self.conn_of(data)
        chunks = chunks_of(data)
        if conn is None:
            return self.not_connected()
        conn.send_chunks(chunks, float(data.get("delay_ms", 0)) / 1000.0,
                         bool(data.get("close", False)))
        return json_response(200, {"sent": sum(len(c) for c in chunks)})

    def rule(self, data):
        if data.get("server") not in (None, "dispatch", "main"):
            raise ValueError("server must be dispatch or main")
        return json_response(200, {"rule": self.service.add_rule(data, chunks_of(data))})

    def clear_rules(self, data):
        self.service.rules.clear()
        return json_response(200, {"rules": 0})

    def ping(self, data):
        conn = self.conn_of(data)
        if conn is None:
            return self.not_connected()
        txid = self.service.next_server_txid()
        conn.send(wire.build("PING", txid))
        return json_response(200, {"txid": txid})

    def update(self, data):
        options = self.service.options
        if "pver" in data:
            if data["pver"] not in ("N", "Y", "F"):
                raise ValueError("pver must be N, Y or F")
            options.pver = data["pver"]
        if "msg" in data:
            options.update_msg = str(data["msg"])
        if "descriptor" in data:
            options.descriptor = bool(data["descriptor"])
        return json_response(200, {"pver": options.pver, "msg": options.update_msg,
                                   "descriptor": options.descriptor})

    def memo(self, data):
        sender = self.account_of({"user": data.get("from", "")})
        receivers = [self.account_of({"user": r}) for r in data.get("to", [])]
        if not receivers:
            raise ValueError("\"to\" names nobody")
        self.service.deliver_memo(sender, receivers, str(data.get("title", "")),
                                  str(data.get("body", "")), now_stamp())
        return json_response(200, {"cookie": sender.sent[0].cookie})
