"""Version check, authentication and redirection, sign-in, the buddy list and keep-alive."""

import time

from . import wire
from .accounts import flags_to_text, FL
from .service import (ALREADY_LOGGED_IN, INVALID_DATA, INVALID_SESSION, MISSING_DATA,
                      OTP_UNSUPPORTED, UNAUTHORIZED, UNKNOWN_ID, WRONG_PASSWORD, token)

TICKET_LIFETIME = 300
MAX_TICKETS = 10000
MAX_LIN2_FAILURES = 5
STATUS_AT_LOGIN = "OAMPBX"


class LoginCommands:

    # -- dispatch server

    def cmd_pver(self, ctx):
        if len(ctx.frame.args) < 3:
            return ctx.fail(MISSING_DATA)
        ctx.reply("PVER", [self.options.pver])

    def cmd_auth(self, ctx):
        kind = ctx.frame.arg(0)
        if kind == "OTP":
            return ctx.fail(OTP_UNSUPPORTED)
        if kind != "MD5":
            return ctx.fail(INVALID_DATA)
        ctx.conn.auth_word = token(4)
        ctx.reply("AUTH", [ctx.conn.auth_word])

    def cmd_reqs(self, ctx):
        word, user_id = ctx.frame.arg(0), ctx.frame.arg(1)
        if ctx.conn.auth_word is None:
            return ctx.fail(UNAUTHORIZED)
        if not user_id:
            return ctx.fail(MISSING_DATA)
        if word != ctx.conn.auth_word:
            return ctx.fail(INVALID_DATA)
        self.expire_tickets()
        # One ticket per connection: asking again replaces it, so one connection cannot
        # push other users' tickets out of the table.
        self.tickets.pop(ctx.conn.ticket, None)
        if len(self.tickets) >= MAX_TICKETS:
            self.tickets.pop(next(iter(self.tickets)))
        ticket = token(16)
        ctx.conn.ticket = ticket
        self.tickets[ticket] = (user_id.lower(), time.monotonic() + TICKET_LIFETIME)
        ctx.reply("REQS", ["1", self.options.advertise_host, self.ports["main"], ticket])

    def expire_tickets(self):
        now = time.monotonic()
        for ticket in [t for t, (_, until) in self.tickets.items() if until < now]:
            del self.tickets[ticket]

    # -- main server

    def cmd_lin2(self, ctx):
        conn, frame = ctx.conn, ctx.frame
        if conn.account is not None:
            return ctx.fail(ALREADY_LOGGED_IN)
        lines = frame.payload.replace(b"\r", b"").split(b"\n")
        fields = [wire.split_words(line) for line in lines]
        if len(fields) < 3 or not fields[0] or len(fields[1]) < 5 or not fields[2]:
            return self.lin2_failed(ctx, MISSING_DATA)
        ticket = wire.decode_word(fields[0][0])
        digest, auth_kind = wire.decode_word(fields[1][0]), wire.decode_word(fields[1][1])
        device = wire.decode_word(fields[1][4])
        letter = wire.decode_word(fields[2][0])
        user_id = frame.arg(0)
        self.expire_tickets()
        owner = self.tickets.pop(ticket, (None, 0))[0]
        if owner is None or owner != user_id.lower():
            return self.lin2_failed(ctx, UNAUTHORIZED)
        account = self.directory.find(user_id)
        if account is None:
            return self.lin2_failed(ctx, UNKNOWN_ID)
        if auth_kind != "MD5":
            return self.lin2_failed(ctx, OTP_UNSUPPORTED)
        if not account.digest_matches(user_id, digest, self.directory.domain):
            return self.lin2_failed(ctx, WRONG_PASSWORD)
        old = self.online.get(account.id.lower())
        if old is not None and old.device == device:
            return self.lin2_failed(ctx, ALREADY_LOGGED_IN)
        if old is not None:
            # The same id from another device takes over; the old session is told why.
            old.send(wire.build("KILL", 0, [account.id, device, "Y", 0, 0]))
            self.leave_rooms(old)
            del self.online[account.id.lower()]
            old.account = None
            old.close()
        conn.device = device
        conn.account = account
        web_ticket = token(8)
        profile = ["N", "0", account.text1, account.text2, account.name, account.nick]
        profile += account.profile + ["N", web_ticket, ""]
        ctx.reply("LIN2", [], wire.words_line(profile))
        self.online[account.id.lower()] = conn
        self.set_status(account, letter if letter in STATUS_AT_LOGIN else "O")

    def lin2_failed(self, ctx, code):
        ctx.fail(code)
        ctx.conn.lin2_failures += 1
        if ctx.conn.lin2_failures >= MAX_LIN2_FAILURES:
            ctx.conn.close()

    def signed_in(self, ctx):
        """True when the connection has signed in; otherwise answers with a failure."""
        if ctx.conn.account is None:
            ctx.fail(INVALID_SESSION)
            return False
        return True

    def cmd_lsta(self, ctx):
        if not self.signed_in(ctx):
            return
        kind, size = ctx.frame.arg(0), ctx.frame.arg(1)
        if kind != "FULL":
            return ctx.fail(INVALID_DATA)
        body = self.buddy_list_body(ctx.account)
        size = int(size) if wire.is_number(size) else 0
        size = min(max(size, 16), 65536) if size else 8192
        pieces = [body[i:i + size] for i in range(0, len(body), size)] or [b""]
        for index, piece in enumerate(pieces, 1):
            ctx.reply("LSTA", [index, len(pieces)], piece)

    def buddy_list_body(self, account):
        lines = [wire.words_line([len(account.groups), len(account.buddies)])]
        for gid, name in account.groups.items():
            members = account.group_members(gid)
            lines.append(wire.words_line([gid, name, len(members)] + members))
        for bid, entry in account.buddies.items():
            buddy = self.directory.find(bid)
            back = buddy.buddies.get(account.id)
            mutual = "1" if back is not None and back.flags & FL else "0"
            lines.append(wire.words_line([
                buddy.id, mutual, buddy.id, entry.extra, flags_to_text(entry.flags),
                self.visible(buddy, account), buddy.name, buddy.nick, buddy.birthday,
                "1" if buddy.solar else "0", buddy.mobile, buddy.text1, buddy.text2]))
        return b"".join(lines)

    def cmd_lopt(self, ctx):
        if self.signed_in(ctx):
            ctx.reply("LOPT")

    def cmd_lout(self, ctx):
        self.sign_out(ctx.conn)
        ctx.conn.close()

    def cmd_pong(self, ctx):
        if not self.signed_in(ctx):
            return
        key = ctx.account.id.lower()
        if self.drop_pongs.get(key, 0) > 0:
            self.drop_pongs[key] -= 1
            self.log(ctx.conn, "note", "keep-alive answer dropped")
            return
        ctx.reply("PONG")

    def cmd_ping(self, ctx):
        # The echo of our own probe: answering it would start an endless exchange.
        pass

    def cmd_onst(self, ctx):
        if not self.signed_in(ctx):
            return
        letter = ctx.frame.arg(0)
        if letter not in STATUS_AT_LOGIN:
            return ctx.fail(INVALID_DATA)
        ctx.reply("ONST")
        self.set_status(ctx.account, letter)

    def cmd_cnik(self, ctx):
        if not self.signed_in(ctx):
            return
        ctx.reply("CNIK")
        self.set_nick(ctx.account, ctx.frame.arg(0))
