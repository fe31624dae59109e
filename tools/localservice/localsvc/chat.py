"""Envelopes and chat: CRP2, CTOC, RESS, CSES, ENTR, MESG; rooms and their participants."""

import re
import time

from . import wire
from .accounts import BL
from .service import (CLOSED_SESSION, INVALID_DATA, INVALID_PACKET, INVALID_SS_SESSION,
                      INVALID_TARGET, OFFLINE_TARGET, RESOURCE_EXHAUSTED, token)

MAX_ROOMS = 4096
# A reserved room waits this long for its first member before it may be reclaimed.
ROOM_ENTRY_TIMEOUT = 60.0
# What one user may send another through CTOC: an invitation, nothing that would act on
# the other's client (a forced sign-out, a notice box).
RELAYED_COMMANDS = (b"INVT",)
MAX_SESSIONS_PER_CONN = 32
MESSAGE_KINDS = ("TYPING", "MSG", "AWAYMSG")


class Room:
    def __init__(self, key, now=None):
        self.key = key
        self.members = {}
        self.created = time.monotonic() if now is None else now


def prune_rooms(rooms, now):
    """Drops rooms nobody is in, except those reserved too recently to have been entered."""
    for key in [k for k, r in rooms.items()
                if not r.members and now - r.created >= ROOM_ENTRY_TIMEOUT]:
        del rooms[key]


class Participant:
    def __init__(self, sid, conn, room):
        self.sid = sid
        self.conn = conn
        self.room = room
        self.user = conn.account.id
        self.nick = conn.account.nick
        self.name = conn.account.name
        self.entered = False

    def others(self):
        return [p for p in self.room.members.values() if p.entered and p is not self]

    def push(self, inner):
        self.conn.send(wire.envelope("SS", self.sid, 0, inner))


class ChatCommands:

    def init_chat(self):
        self.rooms = {}
        self.sessions = {}

    def cmd_crp2(self, ctx):
        if not self.signed_in(ctx):
            return
        if ctx.envelope:
            return ctx.fail(INVALID_PACKET)
        kind, key = ctx.frame.arg(0), ctx.frame.arg(1)
        if kind not in ("DP", "SS"):
            return ctx.fail(INVALID_DATA)
        try:
            inner = wire.parse_frame(ctx.frame.payload)
        except wire.FrameError:
            return ctx.fail(INVALID_PACKET)
        if inner.command == "CRP2":
            return ctx.fail(INVALID_PACKET)
        self.handle_frame(ctx.conn, inner, (kind, key, ctx.frame.txid), ctx.suppress)

    def cmd_ctoc(self, ctx):
        if not self.signed_in(ctx):
            return
        target = self.directory.find(ctx.frame.arg(0))
        if target is None:
            return ctx.fail(INVALID_TARGET)
        peer = self.online.get(target.id.lower())
        blocked = target.buddies.get(ctx.account.id)
        if peer is None or blocked is not None and blocked.flags & BL:
            return ctx.fail(OFFLINE_TARGET)
        if not re.match(rb"[A-Z0-9]{4}[ \t\r\n]", ctx.frame.payload):
            return ctx.fail(INVALID_PACKET)
        if ctx.frame.payload[:4] not in RELAYED_COMMANDS:
            return ctx.fail(INVALID_DATA)
        # Delivered without an answer to the sender: an answer frame would be read as a
        # delivery of its own.
        peer.send(wire.build("CTOC", 0, [ctx.account.id], ctx.frame.payload))

    def cmd_ress(self, ctx):
        if not self.signed_in(ctx):
            return
        if len(self.rooms) >= MAX_ROOMS:
            prune_rooms(self.rooms, time.monotonic())
            if len(self.rooms) >= MAX_ROOMS:
                return ctx.fail(RESOURCE_EXHAUSTED)
        key = token(8)
        self.rooms[key] = Room(key)
        ctx.reply("RESS", [self.options.advertise_host, self.ports["main"], key])

    def cmd_cses(self, ctx):
        if not self.signed_in(ctx):
            return
        kind, envelope_kind, text = (ctx.frame.arg(i) for i in range(3))
        if kind == "CONN":
            words = wire.read_words(ctx.frame.payload)
            room = self.rooms.get(words[2]) if len(words) >= 3 else None
            if room is None:
                return ctx.fail(INVALID_SS_SESSION)
            if len(ctx.conn.sids) >= MAX_SESSIONS_PER_CONN:
                return ctx.fail(RESOURCE_EXHAUSTED)
            sid = token(6)
            participant = Participant(sid, ctx.conn, room)
            room.members[sid] = participant
            self.sessions[sid] = participant
            ctx.conn.sids.add(sid)
            envelope_kind = envelope_kind if envelope_kind in ("DP", "SS") else "SS"
            ctx.reply("CSES", ["CONN"], wire.words_line(
                [envelope_kind, sid, words[0], words[1], room.key]))
        elif kind == "KILL":
            participant = self.sessions.get(text)
            mine = participant is not None and participant.conn is ctx.conn
            if mine:
                self.leave(participant)
            ctx.reply("CSES", ["KILL"], wire.words_line([text, "Y" if mine else "N"]))
        elif kind in ("LIST", "INFO"):
            ctx.reply("CSES", [kind], b"")
        else:
            ctx.fail(INVALID_DATA)

    def participant_of(self, ctx):
        """The chat session that the frame's SS envelope names, if it is this connection's."""
        if not ctx.envelope or ctx.envelope[0] != "SS":
            ctx.fail(INVALID_SS_SESSION)
            return None
        participant = self.sessions.get(ctx.envelope[1])
        if participant is None or participant.conn is not ctx.conn:
            ctx.fail(INVALID_SS_SESSION)
            return None
        return participant

    def cmd_entr(self, ctx):
        if not self.signed_in(ctx):
            return
        me = self.participant_of(ctx)
        if me is None:
            return
        if me.entered:
            return ctx.reply("ENTR")
        me.nick = ctx.frame.arg(1) or me.nick
        me.name = ctx.frame.arg(2) or me.name
        present = me.others()
        # Those present are listed before the answer, so that the newcomer does not
        # take itself for the opener of the chat.
        for i, p in enumerate(present, 1):
            me.push(wire.build("USER", 0, [i, len(present), p.user, p.nick, p.name, "", "1"]))
        ctx.reply("ENTR")
        me.entered = True
        for p in present:
            p.push(wire.build("JOIN", 0, [me.user, me.nick, me.name, "", "1"]))

    def cmd_mesg(self, ctx):
        if not self.signed_in(ctx):
            return
        me = self.participant_of(ctx)
        if me is None:
            return
        kind, word = ctx.frame.arg(0), ctx.frame.arg(1)
        if kind not in MESSAGE_KINDS or not me.entered:
            return ctx.fail(INVALID_DATA)
        others = me.others()
        if kind != "TYPING" and not others:
            return ctx.fail(CLOSED_SESSION)
        ctx.reply("MESG")
        for p in others:
            p.push(wire.build("MESG", 0, [me.user, kind, word]))

    def leave(self, participant):
        room = participant.room
        room.members.pop(participant.sid, None)
        self.sessions.pop(participant.sid, None)
        participant.conn.sids.discard(participant.sid)
        if participant.entered:
            for p in participant.others():
                p.push(wire.build("QUIT", 0, [participant.user, "0"]))
        if not room.members:
            self.rooms.pop(room.key, None)

    def leave_rooms(self, conn):
        for sid in list(conn.sids):
            participant = self.sessions.get(sid)
            if participant is not None:
                self.leave(participant)
