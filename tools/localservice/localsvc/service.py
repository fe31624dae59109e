"""Connections, frame dispatch, presence and the scripted-bytes rules shared by all commands."""

import asyncio
import collections
import datetime
import secrets
import ssl
import sys
import time
import traceback

from . import wire
from .accounts import AL, BL, FL

# Result codes sent in failure replies.
INVALID_PACKET = 200
MISSING_DATA = 201
INVALID_DATA = 202
INVALID_COMMAND = 203
INVALID_SS_SESSION = 270
UNKNOWN_ID = 300
WRONG_PASSWORD = 301
ALREADY_LOGGED_IN = 302
INVALID_TARGET = 304
OFFLINE_TARGET = 305
INVALID_SESSION = 306
ID_EXISTS = 307
CLOSED_SESSION = 308
BUDDY_EXCEEDED = 322
OTP_UNSUPPORTED = 395
RESOURCE_EXHAUSTED = 401
UNAUTHORIZED = 601
GENERAL = 999

MAX_BAD_FRAMES = 50
MAX_CONNS = 512
MAX_QUEUED = 10000
LOG_KEEP = 20000


def token(nbytes=8):
    return secrets.token_hex(nbytes)


def now_stamp():
    return datetime.datetime.now().strftime("%Y%m%d%H%M%S")


class Conn:
    """One client connection; everything it sends goes through one ordered queue."""

    CLOSE = object()

    def __init__(self, service, number, server, writer):
        self.service = service
        self.id = number
        self.server = server
        self.writer = writer
        self.queue = asyncio.Queue()
        self.account = None
        self.user_hint = ""
        self.device = ""
        self.auth_word = None
        self.ticket = None
        self.lin2_failures = 0
        self.bad_frames = 0
        self.sids = set()
        self.closed = False

    def user(self):
        return self.account.id if self.account else (self.user_hint or "-")

    def send(self, data):
        if self.closed:
            return
        self.service.log(self, "send", data)
        self._put(data)

    def send_chunks(self, chunks, delay=0.0, close=False):
        for i, chunk in enumerate(chunks):
            if i and delay:
                self._put(float(delay))
            if not self.closed:
                self.service.log(self, "raw", chunk)
            self._put(chunk)
        if close:
            self.close()

    def _put(self, item):
        if self.closed:
            return
        if self.queue.qsize() > MAX_QUEUED:
            # A peer that reads nothing must not make us hold its backlog for ever.
            self.abort()
            return
        self.queue.put_nowait(item)

    def close(self):
        """Closes once everything queued so far is written; the user is signed out at once."""
        self.service.sign_out(self)
        if not self.closed:
            self.queue.put_nowait(Conn.CLOSE)
            self.closed = True

    def abort(self):
        self.service.sign_out(self)
        self.closed = True
        self.queue.put_nowait(Conn.CLOSE)
        transport = self.writer.transport
        if transport is not None:
            transport.abort()

    async def pump(self):
        try:
            while True:
                item = await self.queue.get()
                if item is Conn.CLOSE:
                    break
                if isinstance(item, float):
                    await asyncio.sleep(item)
                    continue
                self.writer.write(item)
                await asyncio.wait_for(self.writer.drain(), 10)
        except (ConnectionError, OSError, asyncio.TimeoutError, ssl.SSLError):
            pass
        finally:
            self.closed = True
            self.writer.close()
            try:
                await asyncio.wait_for(self.writer.wait_closed(), 2)
            except Exception:
                # A TLS peer that never answers our close must not keep the socket.
                if self.writer.transport is not None:
                    self.writer.transport.abort()


class Context:
    """The frame being handled and where its replies go (inside an envelope or not)."""

    def __init__(self, conn, frame, envelope=None, suppress=False):
        self.conn = conn
        self.frame = frame
        self.envelope = envelope
        self.suppress = suppress

    @property
    def account(self):
        return self.conn.account

    def send_reply(self, inner):
        if self.suppress:
            return
        if self.envelope:
            kind, key, outer = self.envelope
            inner = wire.envelope(kind, key, outer, inner)
        self.conn.send(inner)

    def reply(self, command, args=(), payload=None):
        self.send_reply(wire.build(command, self.frame.txid, args, payload))

    def fail(self, code):
        self.send_reply(wire.failure(code, self.frame.txid))


class Rule:
    """Raw bytes sent at a chosen point: when a command arrives (before, after or instead of
    the reply) or as soon as a connection is accepted ("connect")."""

    def __init__(self, number, spec, chunks):
        self.id = number
        self.server = spec.get("server")
        self.user = (spec.get("user") or "").lower() or None
        self.on = spec.get("on", "connect")
        self.mode = spec.get("mode", "before")
        self.delay = float(spec.get("delay_ms", 0)) / 1000.0
        self.close = bool(spec.get("close", False))
        self.count = int(spec.get("count", 1))
        self.chunks = chunks

    def matches(self, conn, command):
        if self.server not in (None, conn.server) or self.on != command:
            return False
        return self.user is None or self.user == conn.user().lower()


class Core:
    """State shared by the servers; the command handlers are mixed in by `Service`."""

    def __init__(self, directory, options, log_stream=None):
        self.directory = directory
        self.options = options
        self.log_stream = log_stream if log_stream is not None else sys.stderr
        self.log_entries = collections.deque(maxlen=LOG_KEEP)
        self.log_seq = 0
        self.conns = {}
        self.conn_number = 0
        self.online = {}
        self.tickets = {}
        self.rules = []
        self.rule_number = 0
        self.drop_pongs = {}
        self.server_txid = 0
        self.ports = {}
        self.tasks = set()

    # -- logging

    def log(self, conn, direction, data):
        if isinstance(data, (bytes, bytearray)):
            text = self.describe(data)
        else:
            text = str(data)
        self.log_seq += 1
        entry = {"seq": self.log_seq, "time": round(time.time(), 3),
                 "conn": conn.id if conn else 0, "server": conn.server if conn else "-",
                 "user": conn.user() if conn else "-", "dir": direction, "text": text}
        self.log_entries.append(entry)
        arrow = {"recv": "<", "send": ">", "raw": ">>"}.get(direction, "*")
        try:
            self.log_stream.write("c%d %s %s %s %s\n" % (entry["conn"], entry["server"],
                                                        entry["user"], arrow, text))
            self.log_stream.flush()
        except (OSError, ValueError):
            pass

    @staticmethod
    def describe(data):
        head, sep, rest = bytes(data).partition(b"\n")
        text = head.rstrip(b"\r").decode("utf-8", errors="replace")
        if sep and rest:
            text += " | " + rest.decode("utf-8", errors="replace").replace(
                "\r", "\\r").replace("\n", "\\n")
        return text

    # -- connections

    async def serve(self, reader, writer, server):
        if len(self.conns) >= MAX_CONNS:
            writer.close()
            return
        self.conn_number += 1
        conn = Conn(self, self.conn_number, server, writer)
        self.conns[conn.id] = conn
        pump = asyncio.ensure_future(conn.pump())
        peer = writer.get_extra_info("peername")
        self.log(conn, "note", "connected from %s" % (peer,))
        cutter = wire.FrameCutter()
        try:
            self.fire_rules(conn, "connect", "before")
            while not conn.closed:
                data = await asyncio.wait_for(reader.read(4096), self.options.idle_timeout)
                if not data:
                    break
                cutter.feed(data)
                while not conn.closed and not self.take_frames(conn, cutter):
                    pass
        except (ConnectionError, OSError, asyncio.TimeoutError, ssl.SSLError,
                asyncio.IncompleteReadError):
            pass
        finally:
            self.disconnect(conn)
            conn.close()
            try:
                await asyncio.wait_for(pump, 5)
            except (asyncio.TimeoutError, asyncio.CancelledError):
                conn.abort()
            self.conns.pop(conn.id, None)
            self.log(conn, "note", "closed")

    def take_frames(self, conn, cutter):
        """Handles one frame; True when the buffer has no complete frame left."""
        try:
            frame = cutter.next()
        except wire.FrameError as e:
            self.log(conn, "note", "bad frame: %s" % e)
            conn.send(wire.failure(INVALID_PACKET, e.txid))
            conn.bad_frames += 1
            if e.fatal or conn.bad_frames > MAX_BAD_FRAMES:
                conn.close()
                return True
            return False
        if frame is None:
            return True
        if frame.line.strip():
            self.handle_frame(conn, frame)
        return False

    def handle_frame(self, conn, frame, envelope=None, suppress=False):
        if envelope is None:
            self.log(conn, "recv", frame.text())
        if not frame.well_formed():
            conn.bad_frames += 1
            ctx = Context(conn, frame, envelope, suppress)
            ctx.fail(INVALID_PACKET)
            if conn.bad_frames > MAX_BAD_FRAMES:
                conn.close()
            return
        if frame.command in ("REQS", "LIN2") and conn.account is None:
            conn.user_hint = frame.arg(1 if frame.command == "REQS" else 0)
        suppress = self.fire_rules(conn, frame.command, "before") or suppress
        ctx = Context(conn, frame, envelope, suppress)
        handler = self.handler_for(conn, frame.command)
        try:
            if handler is None:
                ctx.fail(INVALID_COMMAND)
            else:
                handler(ctx)
        except Exception:
            # A fault of ours answers this frame with a failure; the service goes on.
            self.log(conn, "note", "handler fault: " + traceback.format_exc().replace("\n", " / "))
            ctx.fail(GENERAL)
        self.fire_rules(conn, frame.command, "after")

    def handler_for(self, conn, command):
        table = self.DISPATCH_COMMANDS if conn.server == "dispatch" else self.MAIN_COMMANDS
        name = table.get(command)
        return getattr(self, name) if name else None

    def disconnect(self, conn):
        self.sign_out(conn)

    # -- scripted bytes

    def add_rule(self, spec, chunks):
        self.rule_number += 1
        rule = Rule(self.rule_number, spec, chunks)
        if rule.mode not in ("before", "after", "replace"):
            raise ValueError("mode must be before, after or replace")
        self.rules.append(rule)
        return rule.id

    def fire_rules(self, conn, command, when):
        """Sends the bytes of matching rules; True when one replaces the reply."""
        replaced = False
        for rule in list(self.rules):
            wanted = when == "after" and rule.mode == "after" or \
                when == "before" and rule.mode in ("before", "replace")
            if not wanted or not rule.matches(conn, command):
                continue
            conn.send_chunks(rule.chunks, rule.delay, rule.close)
            replaced = replaced or rule.mode == "replace"
            rule.count -= 1
            if rule.count <= 0:
                self.rules.remove(rule)
        return replaced

    # -- presence

    def visible(self, target, watcher):
        """The status letter that watcher sees for target."""
        if target.status in (None, "X", "F"):
            return "F"
        entry = target.buddies.get(watcher.id)
        if entry is None or not entry.flags & AL or entry.flags & BL:
            return "F"
        return target.status

    def watchers(self, target):
        """Signed-in connections whose user has target on the buddy list."""
        for conn in list(self.online.values()):
            entry = conn.account.buddies.get(target.id) if conn.account else None
            if entry is not None and entry.flags & FL:
                yield conn

    def snapshot(self, target):
        return {c.account.id: self.visible(target, c.account) for c in self.watchers(target)}

    def notify_changes(self, target, before):
        for conn in self.watchers(target):
            seen = self.visible(target, conn.account)
            if before.get(conn.account.id, "F") != seen:
                conn.send(wire.build("NTFY", 0, [target.id, seen, "0", "", "1"]))

    def set_status(self, account, letter):
        before = self.snapshot(account)
        account.status = letter
        self.notify_changes(account, before)

    def set_nick(self, account, nick):
        account.nick = nick
        for conn in self.watchers(account):
            conn.send(wire.build("NNIK", 0, [account.id, nick]))

    def set_profile(self, account, changes):
        """Changes profile fields ("mobile", "text1", "text2", "birthday") and tells the
        watchers which ones changed."""
        fields = ("mobile", None, "text1", "text2", None, "birthday")
        for key, value in changes.items():
            setattr(account, key, value)
        mask = "".join("1" if f in changes else "0" for f in fields)
        for conn in self.watchers(account):
            conn.send(wire.build("NPRF", 0, [account.id, mask, account.mobile, "",
                                             account.text1, account.text2, "N",
                                             account.birthday]))

    def sign_out(self, conn):
        account = conn.account
        if account is None:
            return
        self.leave_rooms(conn)
        if self.online.get(account.id.lower()) is conn:
            del self.online[account.id.lower()]
            self.set_status(account, None)
        conn.account = None
        conn.user_hint = account.id

    def next_server_txid(self):
        self.server_txid = self.server_txid % 2**31 + 1
        return self.server_txid

    def leave_rooms(self, conn):
        pass
