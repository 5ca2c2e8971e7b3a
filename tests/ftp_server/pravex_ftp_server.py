#!/usr/bin/python3
"""FTP support drop for Pravex's end-to-end tests, on 127.0.0.1.

Anonymous uploads into support/incoming; the mode file switches the
behaviour between a working drop and its failures (see README.md).

  pravex_ftp_server.py --root DIR --port N --control FILE [--log FILE]
"""
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

import argparse  # noqa: E402
import logging  # noqa: E402
import os  # noqa: E402
import signal  # noqa: E402

try:
    from pyftpdlib.ioloop import IOLoop
except ImportError:
    sys.exit("pravex_ftp_server.py: pyftpdlib is missing; install the Debian package "
             "python3-pyftpdlib and run this with /usr/bin/python3")

from control_mode import ABSENT, ControlFile  # noqa: E402
from drop_handlers import INCOMING, DropHandler, make_authorizer  # noqa: E402
from switchable_listener import SwitchableListener, serve_forever  # noqa: E402

HOST = "127.0.0.1"

logger = logging.getLogger("pravex_ftp_server")


def parse_args(argv):
    parser = argparse.ArgumentParser(description="FTP support drop for the end-to-end tests")
    parser.add_argument("--root", required=True, help="FTP root; support/incoming is created in it")
    parser.add_argument("--port", required=True, type=int, help=f"port to listen on at {HOST}")
    parser.add_argument("--control", required=True, help="mode file (missing or empty: normal)")
    parser.add_argument("--log", help="log file (default: standard error)")
    return parser.parse_args(argv)


class _DropInternalDebug(logging.Filter):
    """pyftpdlib's "[debug]" lines trace its internals, not the session."""

    def filter(self, record):
        return not str(record.msg).startswith("[debug]")


def configure_logging(log_path):
    handler = logging.FileHandler(log_path) if log_path else logging.StreamHandler()
    handler.setFormatter(logging.Formatter("%(asctime)s.%(msecs)03d %(levelname)s %(message)s",
                                           "%H:%M:%S"))
    handler.addFilter(_DropInternalDebug())
    root = logging.getLogger()
    root.addHandler(handler)
    # DEBUG makes pyftpdlib log every command and every reply.
    root.setLevel(logging.DEBUG)


def _stop(signum, _frame):
    raise SystemExit(f"signal {signum}")


def main(argv=None):
    args = parse_args(argv)
    configure_logging(args.log)
    root = os.path.realpath(args.root)
    os.makedirs(os.path.join(root, INCOMING), exist_ok=True)

    control = ControlFile(os.path.abspath(args.control))
    handler = type("ConfiguredDropHandler", (DropHandler,),
                   {"control": control, "authorizer": make_authorizer(root)})
    ioloop = IOLoop()
    listener = SwitchableListener((HOST, args.port), handler, ioloop)
    signal.signal(signal.SIGTERM, _stop)
    logger.info("starting: root %s, mode file %s, pid %d", root, control.path, os.getpid())
    try:
        if control.read().name != ABSENT:
            listener.open()  # a port already taken is fatal at start only
    except OSError as err:
        logger.error("cannot listen on %s:%d: %s", HOST, args.port, err)
        ioloop.close()
        return 1
    try:
        serve_forever(ioloop, listener, control)
    except (KeyboardInterrupt, SystemExit) as stop:
        logger.info("stopping (%s)", stop or "interrupt")
    finally:
        ioloop.close()  # every session, data connection and open file
        logger.info("stopped")
    return 0


if __name__ == "__main__":
    sys.exit(main())
