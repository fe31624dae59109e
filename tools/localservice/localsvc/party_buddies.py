"""The second party's buddy actions: what another account does to its buddy list, status,
nick and profile, so that a client sees it arrive. Each goes through the service's own
command handlers, as a client's request would. The party must be signed in
(/party/sign-in); "user" names it, "buddy" (or "to", "from") the other account:

  POST /party/ask      {"user", "to", "group": "0", "message": ""}   ADSB REQST
  POST /party/answer   {"user", "from", "accept": true, "group": "0"} ADSB ACCPT or REJCT
  POST /party/block    {"user", "buddy", "block": true}               ADDB BL (false: AL)
  POST /party/delete   {"user", "buddy"}                              RMVB FL
  POST /party/status   {"user", "status"}                             ONST (O A M P B X)
  POST /party/nick     {"user", "nick"}                               CNIK
  POST /party/profile  {"user", "mobile"?, "text1"?, "text2"?, "birthday"?}

Each answers {"result": the reply's command word or failure code}; /party/profile answers
{"changed": [field names]}.
"""

from .httpd import json_response
from .party import PartyActions


class BuddyParties(PartyActions):

    ACTIONS = {
        ("POST", "/party/ask"): "ask", ("POST", "/party/answer"): "answer",
        ("POST", "/party/block"): "block", ("POST", "/party/delete"): "delete",
        ("POST", "/party/status"): "status", ("POST", "/party/nick"): "nick",
        ("POST", "/party/profile"): "profile"}

    PROFILE_FIELDS = ("mobile", "text1", "text2", "birthday")

    def __init__(self, service, parties):
        super().__init__(parties)
        self.service = service

    def account_id(self, data, key):
        account = self.service.directory.find(str(data.get(key, "")))
        if account is None:
            raise ValueError("unknown user %r" % data.get(key))
        return account.id

    @staticmethod
    def result(party, command, args):
        reply = party.request(command, [str(a) for a in args])
        return json_response(200, {"result": reply.command if reply is not None else None})

    # -- actions

    def ask(self, party, data):
        to = self.account_id(data, "to")
        return self.result(party, "ADSB", ["REQST", "", to, data.get("group", "0"),
                                           data.get("message", "")])

    def answer(self, party, data):
        requester = self.account_id(data, "from")
        kind = "ACCPT" if data.get("accept", True) else "REJCT"
        return self.result(party, "ADSB", [kind, requester, requester, data.get("group", "0"), ""])

    def block(self, party, data):
        buddy = self.account_id(data, "buddy")
        entry = party.account.buddies.get(buddy)
        group = entry.group if entry is not None and entry.group is not None else "0"
        kind = "BL" if data.get("block", True) else "AL"
        return self.result(party, "ADDB", [kind, buddy, buddy, group])

    def delete(self, party, data):
        buddy = self.account_id(data, "buddy")
        return self.result(party, "RMVB", ["FL", buddy, buddy])

    def status(self, party, data):
        return self.result(party, "ONST", [str(data.get("status", "")), "0", "", "2"])

    def nick(self, party, data):
        return self.result(party, "CNIK", [str(data.get("nick", ""))])

    def profile(self, party, data):
        changes = {k: str(data[k]) for k in self.PROFILE_FIELDS if k in data}
        if not changes:
            raise ValueError("give one of " + ", ".join(self.PROFILE_FIELDS))
        self.service.set_profile(party.account, changes)
        return json_response(200, {"changed": sorted(changes)})
