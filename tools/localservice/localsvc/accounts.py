"""Accounts, groups, buddies and memos loaded from a JSON file."""

import hashlib
import json
import re

# Buddy list flags, as the four characters FL AL BL RL of the buddy list.
FL, AL, BL, RL = 1, 2, 4, 8

STATUS_LETTERS = "OAMPBXF"
DEFAULT_GROUP = "0"
DEFAULT_GROUP_NAME = "기타"


class AccountsError(Exception):
    pass


def flags_from_text(text):
    if not re.fullmatch("[01]{4}", text):
        raise AccountsError("flags must be four 0/1 characters, not %r" % text)
    return sum(1 << i for i, c in enumerate(text) if c == "1")


def flags_to_text(flags):
    return "".join("1" if flags & (1 << i) else "0" for i in range(4))


class BuddyEntry:
    def __init__(self, flags, group=None, extra="", message=""):
        self.flags = flags
        self.group = group
        self.extra = extra
        self.message = message


class Memo:
    def __init__(self, number, cookie, sender, receivers, title, body, date, read=False,
                 style=None):
        self.number = number
        self.cookie = cookie
        self.sender = sender
        self.receivers = list(receivers)
        self.title = title
        self.body = body
        self.date = date
        self.read = read
        # Header values the sender gave (font, event ...), sent back when the memo is read.
        self.style = dict(style or {})


class Account:
    def __init__(self, data):
        self.id = data["id"]
        self.password = data["password"]
        self.name = data.get("name", "")
        self.nick = data.get("nick", "")
        self.mobile = data.get("mobile", "")
        self.birthday = data.get("birthday", "")
        self.solar = bool(data.get("solar", True))
        self.text1 = data.get("text1", "")
        self.text2 = data.get("text2", "")
        self.profile = list(data.get("profile", []))[:7]
        self.profile += [""] * (7 - len(self.profile))
        # Ordered: group id -> name.
        self.groups = {}
        for g in data.get("groups", []):
            self.groups[str(g["id"])] = g.get("name", "")
        if DEFAULT_GROUP not in self.groups:
            self.groups = {DEFAULT_GROUP: DEFAULT_GROUP_NAME, **self.groups}
        # Ordered: buddy id -> BuddyEntry.
        self.buddies = {}
        for b in data.get("buddies", []):
            flags = flags_from_text(b.get("flags", "1101"))
            group = str(b["group"]) if b.get("group") is not None else None
            if flags & FL and group is None:
                group = DEFAULT_GROUP
            if group is not None and group not in self.groups:
                raise AccountsError("%s: buddy %s in unknown group %s" % (self.id, b["id"], group))
            self.buddies[b["id"]] = BuddyEntry(flags, group, b.get("extra", ""),
                                               b.get("message", ""))
        self.inbox = []
        self.sent = []
        self.spam = []
        # Presence: None when offline, else a status letter.
        self.status = None

    def digest_matches(self, typed_id, digest, domain):
        return digest == password_digest(typed_id, self.password, domain)

    def group_members(self, group):
        return [bid for bid, e in self.buddies.items() if e.group == group and e.flags & FL]


def password_digest(user_id, password, domain):
    """MD5 hex of the password followed by the id's local part (the id less "@" + the
    default domain, compared without case); an id on another domain is used whole."""
    local = user_id
    if domain:
        at = user_id.lower().find("@" + domain.lower())
        if at >= 0:
            local = user_id[:at]
    return hashlib.md5((password + local).encode("utf-8")).hexdigest()


class Directory:
    """All accounts by id (looked up without regard to case) and the memo counter."""

    def __init__(self, data):
        if not isinstance(data, dict) or not isinstance(data.get("accounts"), list):
            raise AccountsError("the file must hold an object with an \"accounts\" list")
        self.domain = data.get("domain", "")
        self.accounts = {}
        self.memo_number = 0
        try:
            for a in data["accounts"]:
                account = Account(a)
                if account.id.lower() in self.accounts:
                    raise AccountsError("account %s given twice" % account.id)
                if not re.fullmatch(r"[^\s%]+", account.id):
                    raise AccountsError("account id %r has white space or %%" % account.id)
                self.accounts[account.id.lower()] = account
        except (KeyError, TypeError, ValueError) as e:
            raise AccountsError("bad account entry: %s" % e)
        for account in self.accounts.values():
            for bid in account.buddies:
                if bid.lower() not in self.accounts:
                    raise AccountsError("%s: buddy %s has no account" % (account.id, bid))
        for m in data.get("memos", []):
            try:
                sender = self.find(m["from"])
                receivers = [self.find(r) for r in m["to"]]
                if sender is None or None in receivers:
                    raise AccountsError("memo between unknown accounts: %r" % m)
                self.store_memo(sender, receivers, m.get("title", ""), m.get("body", ""),
                                m.get("date", "20240101090000"), read=bool(m.get("read")))
            except (KeyError, TypeError) as e:
                raise AccountsError("bad memo entry: %s" % e)

    def find(self, user_id):
        return self.accounts.get(str(user_id).lower())

    def next_cookie(self):
        self.memo_number += 1
        return self.memo_number, "m%06d" % self.memo_number

    def store_memo(self, sender, receivers, title, body, date, read=False, style=None):
        """One copy in every receiver's inbox and one in the sender's sent box."""
        ids = [r.id for r in receivers]
        for r in receivers:
            number, cookie = self.next_cookie()
            r.inbox.insert(0, Memo(number, cookie, sender.id, ids, title, body, date, read, style))
        number, cookie = self.next_cookie()
        sent = Memo(number, cookie, sender.id, ids, title, body, date, True, style)
        sender.sent.insert(0, sent)
        return sent


def load(path):
    try:
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
    except OSError as e:
        raise AccountsError("cannot read %s: %s" % (path, e.strerror))
    except ValueError as e:
        raise AccountsError("%s is not valid JSON: %s" % (path, e))
    return Directory(data)
