"""Buddy lists and groups: ADDB, ADSB, RMVB, ADDG, MVBG."""

from . import wire
from .accounts import AL, BL, FL, RL, BuddyEntry, DEFAULT_GROUP
from .service import (BUDDY_EXCEEDED, ID_EXISTS, INVALID_DATA, INVALID_PACKET,
                      INVALID_TARGET, MISSING_DATA, RESOURCE_EXHAUSTED)

MAX_BUDDIES = 300
MAX_GROUPS = 64
MAX_MOVES = 200
SUCCESS = 100


class BuddyCommands:

    def target_of(self, ctx, buddy_id, email):
        """The other account named by a request (by e-mail id, else by key id), not oneself."""
        target = self.directory.find(email) or self.directory.find(buddy_id)
        if target is None or target is ctx.account:
            ctx.fail(INVALID_TARGET)
            return None
        return target

    def cmd_addb(self, ctx):
        if not self.signed_in(ctx):
            return
        me = ctx.account
        kind, buddy_id, email, group = (ctx.frame.arg(i) for i in range(4))
        if kind not in ("FL", "AL", "BL"):
            return ctx.fail(INVALID_DATA)
        target = self.target_of(ctx, buddy_id, email)
        if target is None:
            return
        if target.id not in me.buddies and len(me.buddies) >= MAX_BUDDIES:
            return ctx.fail(BUDDY_EXCEEDED)
        entry = me.buddies.setdefault(target.id, BuddyEntry(0))
        if kind == "FL":
            before = self.snapshot(target)
            entry.flags |= FL
            entry.group = group if group in me.groups else DEFAULT_GROUP
            target.buddies.setdefault(me.id, BuddyEntry(0)).flags |= RL
            ctx.reply("ADDB", [target.id, entry.group, target.name, entry.extra])
            self.notify_changes(target, before)
            return
        before = self.snapshot(me)
        entry.flags = (entry.flags & ~(AL | BL)) | (AL if kind == "AL" else BL)
        ctx.reply("ADDB", [target.id, entry.extra])
        self.notify_changes(me, before)

    def cmd_adsb(self, ctx):
        if not self.signed_in(ctx):
            return
        kind, buddy_id, email, group, message = (ctx.frame.arg(i) for i in range(5))
        handler = {"REQST": self.buddy_request, "ACCPT": self.buddy_accept,
                   "REJCT": self.buddy_reject}.get(kind)
        if handler is None:
            return ctx.fail(INVALID_DATA)
        target = self.target_of(ctx, buddy_id, email)
        if target is not None:
            handler(ctx, target, group, message)

    def buddy_request(self, ctx, target, group, message):
        me = ctx.account
        entry = me.buddies.get(target.id)
        if entry is not None and entry.flags & FL:
            return ctx.fail(ID_EXISTS)
        if group not in me.groups:
            return ctx.fail(INVALID_DATA)
        if entry is None and len(me.buddies) >= MAX_BUDDIES:
            return ctx.fail(BUDDY_EXCEEDED)
        before = self.snapshot(target)
        entry = me.buddies.setdefault(target.id, BuddyEntry(0))
        entry.flags = (entry.flags | FL | AL) & ~BL
        entry.group = group
        back = target.buddies.setdefault(me.id, BuddyEntry(0))
        back.flags |= RL
        back.message = message
        ctx.reply("ADSB", ["REQST", target.id, target.name, 0, entry.extra])
        self.notify_changes(target, before)
        peer = self.online.get(target.id.lower())
        if peer is not None and not back.flags & BL:
            peer.send(wire.build("ADDB", 0, ["RL", me.id, me.id, message, back.extra]))

    def buddy_accept(self, ctx, requester, group, message):
        me = ctx.account
        if requester.id not in me.buddies and len(me.buddies) >= MAX_BUDDIES:
            return ctx.fail(BUDDY_EXCEEDED)
        before_me, before_them = self.snapshot(me), self.snapshot(requester)
        entry = me.buddies.setdefault(requester.id, BuddyEntry(0))
        entry.flags = (entry.flags | FL | AL) & ~BL
        entry.group = group if group in me.groups else DEFAULT_GROUP
        entry.message = ""
        requester.buddies.setdefault(me.id, BuddyEntry(0)).flags |= RL
        ctx.reply("ADSB", ["ACCPT", requester.id, requester.name, 0, entry.extra])
        self.notify_changes(me, before_me)
        self.notify_changes(requester, before_them)

    def buddy_reject(self, ctx, requester, group, message):
        me = ctx.account
        entry = me.buddies.get(requester.id)
        if entry is None:
            return ctx.fail(INVALID_TARGET)
        before = self.snapshot(me)
        entry.flags = (entry.flags | BL) & ~AL
        entry.message = ""
        ctx.reply("ADSB", ["REJCT", requester.id, entry.extra])
        self.notify_changes(me, before)

    def cmd_rmvb(self, ctx):
        if not self.signed_in(ctx):
            return
        me = ctx.account
        kind, buddy_id, email = (ctx.frame.arg(i) for i in range(3))
        bit = {"FL": FL, "AL": AL, "BL": BL, "RL": RL}.get(kind)
        if bit is None:
            return ctx.fail(INVALID_DATA)
        target = self.target_of(ctx, buddy_id, email)
        if target is None:
            return
        entry = me.buddies.get(target.id)
        if entry is None:
            return ctx.fail(INVALID_TARGET)
        before_target, before_me = self.snapshot(target), self.snapshot(me)
        entry.flags &= ~bit
        if bit == FL:
            entry.group = None
            back = target.buddies.get(me.id)
            if back is not None:
                back.flags &= ~RL
        if entry.flags == 0:
            del me.buddies[target.id]
        ctx.reply("RMVB", [target.id])
        self.notify_changes(target, before_target)
        self.notify_changes(me, before_me)
        peer = self.online.get(target.id.lower())
        if bit == FL and peer is not None:
            peer.send(wire.build("RMVB", 0, ["RL", me.id, me.id]))

    def cmd_addg(self, ctx):
        if not self.signed_in(ctx):
            return
        me = ctx.account
        number, name = ctx.frame.arg(0), ctx.frame.arg(1)
        if not name:
            return ctx.fail(MISSING_DATA)
        if len(me.groups) >= MAX_GROUPS:
            return ctx.fail(RESOURCE_EXHAUSTED)
        group = str(max([int(g) for g in me.groups if wire.is_number(g)] + [0]) + 1)
        me.groups[group] = name
        ctx.reply("ADDG", [number, group])

    def cmd_mvbg(self, ctx):
        if not self.signed_in(ctx):
            return
        me = ctx.account
        lines = [line for line in ctx.frame.payload.replace(b"\r", b"").split(b"\n") if line]
        if len(lines) > MAX_MOVES:
            return ctx.fail(INVALID_PACKET)
        results = []
        for line in lines:
            words = [wire.decode_word(w) for w in wire.split_words(line)]
            if len(words) < 5:
                return ctx.fail(INVALID_PACKET)
            index, buddy_id, email, source, goal = words[:5]
            results += [index, self.move_buddy(me, buddy_id, email, source, goal)]
        text = " ".join(str(r) for r in results)
        ctx.reply("MVBG", [ctx.frame.arg(0)], (text + "\r\n").encode() if text else b"")

    def move_buddy(self, me, buddy_id, email, source, goal):
        target = self.directory.find(buddy_id) or self.directory.find(email)
        entry = me.buddies.get(target.id) if target else None
        if entry is None or not entry.flags & FL:
            return INVALID_TARGET
        if source not in me.groups or goal not in me.groups or entry.group != source:
            return INVALID_DATA
        entry.group = goal
        return SUCCESS
