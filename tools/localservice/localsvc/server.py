"""The service: command tables over the shared core, and the listening sockets."""

import asyncio

from .buddies import BuddyCommands
from .chat import ChatCommands
from .httpd import MAX_HEAD
from .login import LoginCommands
from .memos import MemoCommands
from .service import Core


class Service(LoginCommands, BuddyCommands, ChatCommands, MemoCommands, Core):

    DISPATCH_COMMANDS = {"PVER": "cmd_pver", "AUTH": "cmd_auth", "REQS": "cmd_reqs"}

    MAIN_COMMANDS = {
        "LIN2": "cmd_lin2", "LSTA": "cmd_lsta", "LOPT": "cmd_lopt", "LOUT": "cmd_lout",
        "PONG": "cmd_pong", "PING": "cmd_ping", "ONST": "cmd_onst", "CNIK": "cmd_cnik",
        "ADDB": "cmd_addb", "ADSB": "cmd_adsb", "RMVB": "cmd_rmvb", "ADDG": "cmd_addg",
        "MVBG": "cmd_mvbg", "CRP2": "cmd_crp2", "CTOC": "cmd_ctoc", "RESS": "cmd_ress",
        "CSES": "cmd_cses", "ENTR": "cmd_entr", "MESG": "cmd_mesg", "CMSG": "cmd_cmsg",
        "WGET": "cmd_wget"}

    def __init__(self, directory, options, log_stream=None):
        Core.__init__(self, directory, options, log_stream)
        self.init_chat()
        self.servers = []

    async def start(self, tls_context, http_handler, control_handler):
        """Opens the four listening sockets; port 0 picks a free one."""
        host = self.options.host
        specs = [
            ("dispatch", self.options.dispatch_port,
             lambda r, w: self.serve(r, w, "dispatch"), {}),
            ("main", self.options.main_port, lambda r, w: self.serve(r, w, "main"),
             {"ssl": tls_context, "ssl_handshake_timeout": 10}),
            ("update", self.options.update_port, http_handler, {"limit": MAX_HEAD}),
            ("control", self.options.control_port, control_handler, {"limit": MAX_HEAD})]
        for name, port, handler, extra in specs:
            server = await asyncio.start_server(handler, host, port, **extra)
            self.servers.append(server)
            self.ports[name] = server.sockets[0].getsockname()[1]

    async def stop(self):
        for server in self.servers:
            server.close()
        for conn in list(self.conns.values()):
            conn.abort()
        for server in self.servers:
            await server.wait_closed()
