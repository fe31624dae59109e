"""Command line: starts every server, prints one JSON line with the ports, stops on a signal."""

import argparse
import asyncio
import json
import os
import shutil
import signal
import sys
import tempfile

from . import accounts, certs, httpd
from .control import Control, UpdateHost, DESCRIPTOR_PATH
from .server import Service

DEMO_ACCOUNTS = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                             "demo_accounts.json")


def parse_args(argv):
    p = argparse.ArgumentParser(prog="localservice", description=__doc__)
    p.add_argument("--accounts", default=DEMO_ACCOUNTS,
                   help="JSON accounts file (default: the demo accounts)")
    p.add_argument("--domain", help="default mail domain of user ids (default: the file's)")
    p.add_argument("--host", default="127.0.0.1", help="address to listen on")
    p.add_argument("--advertise-host", help="host name given to clients (default: --host)")
    p.add_argument("--dispatch-port", type=int, default=5004, help="0 picks a free port")
    p.add_argument("--main-port", type=int, default=0)
    p.add_argument("--update-port", type=int, default=0)
    p.add_argument("--control-port", type=int, default=0)
    p.add_argument("--state-dir", help="folder for the CA and certificate (default: a "
                                       "temporary folder removed at exit)")
    p.add_argument("--pver", choices=["N", "Y", "F"], default="N",
                   help="version check answer: N no update, Y optional, F forced")
    p.add_argument("--update-msg", default="새 버전이 있습니다.\r\n지금 업데이트하시겠습니까?")
    p.add_argument("--update-package", help="file served as the update package")
    p.add_argument("--idle-timeout", type=float, default=120.0,
                   help="seconds of silence after which a client connection is closed")
    p.add_argument("--log", help="log file (default: standard error)")
    options = p.parse_args(argv)
    options.advertise_host = options.advertise_host or options.host
    options.descriptor = True
    return options


async def run(options, directory, log_stream):
    own_state = options.state_dir is None
    state_dir = tempfile.mkdtemp(prefix="localservice-") if own_state else options.state_dir
    service = Service(directory, options, log_stream)
    try:
        loop = asyncio.get_running_loop()
        # Handlers first: whoever reads the start line may signal at once.
        stop = asyncio.Event()
        for sig in (signal.SIGINT, signal.SIGTERM):
            loop.add_signal_handler(sig, stop.set)
        ca_file, cert, key = await loop.run_in_executor(None, certs.make_certificates, state_dir)
        context = certs.server_context(cert, key)
        loop.set_exception_handler(lambda loop, ctx: service.log(
            None, "note", "loop: %s" % ctx.get("message")))
        log_http = lambda text: service.log(None, "note", text)
        update_host = UpdateHost(service)
        await service.start(context, httpd.handler(update_host.route, log_http),
                            httpd.handler(Control(service, update_host).route, log_http))
        ports = service.ports
        host = options.advertise_host
        print(json.dumps({
            "dispatch_port": ports["dispatch"], "main_port": ports["main"],
            "update_port": ports["update"], "control_port": ports["control"],
            "host": host, "ca_file": os.path.abspath(ca_file),
            "update_url": "http://%s:%d%s" % (host, ports["update"], DESCRIPTOR_PATH),
            "control_url": "http://%s:%d" % (host, ports["control"]),
            "domain": directory.domain, "pid": os.getpid()}, ensure_ascii=False), flush=True)
        await stop.wait()
        service.log(None, "note", "stopping")
        update_host.release_all()
        await service.stop()
    finally:
        if own_state:
            shutil.rmtree(state_dir, ignore_errors=True)


def main(argv):
    options = parse_args(argv)
    try:
        directory = accounts.load(options.accounts)
    except accounts.AccountsError as e:
        print("localservice: %s" % e, file=sys.stderr)
        return 2
    if options.domain is not None:
        directory.domain = options.domain
    log_stream = open(options.log, "a", encoding="utf-8") if options.log else sys.stderr
    try:
        asyncio.run(run(options, directory, log_stream))
    except (OSError, RuntimeError) as e:
        print("localservice: %s" % e, file=sys.stderr)
        return 1
    finally:
        if options.log:
            log_stream.close()
    return 0
