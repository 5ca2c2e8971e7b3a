"""The listening socket of the test FTP drop and the loop that serves it.

In "absent" mode the socket is closed, so a connect is refused exactly as
with no server at all; sessions already open carry on. The loop polls the
mode file itself: pyftpdlib's own loop would end as soon as no socket is
left, and its sockets must not be touched from another thread.
"""
import logging
import time

from pyftpdlib.servers import FTPServer

from control_mode import ABSENT

# How often the mode file is polled: a switch to or from "absent" takes
# effect within this time.
POLL_SECONDS = 0.05

logger = logging.getLogger("pravex_ftp_server")


class SwitchableListener:
    def __init__(self, address, handler, ioloop):
        self.address = address
        self.handler = handler
        self.ioloop = ioloop
        self._server = None
        self._last_failure = None

    @property
    def is_open(self):
        return self._server is not None

    def open(self):
        """Starts listening; raises OSError if the port cannot be had."""
        self._server = FTPServer(self.address, self.handler, ioloop=self.ioloop)
        self._last_failure = None
        logger.info("listening on %s:%d", *self.address)

    def close(self):
        if self._server is not None:
            self._server.close()
            self._server = None
            logger.info("listener closed: connects to port %d are refused", self.address[1])

    def follow(self, mode):
        """Opens or closes the socket as the mode asks."""
        if mode.name == ABSENT:
            self.close()
        elif not self.is_open:
            try:
                self.open()
            except OSError as err:
                # Someone may hold the port for a moment; retried on the next
                # poll, reported once.
                if str(err) != self._last_failure:
                    logger.error("cannot listen on %s:%d again: %s", *self.address, err)
                    self._last_failure = str(err)


def serve_forever(ioloop, listener, control):
    """Runs sessions and follows the mode file until interrupted."""
    next_poll = 0.0
    wait = POLL_SECONDS
    while True:
        now = time.monotonic()
        if now >= next_poll:
            listener.follow(control.read())
            next_poll = now + POLL_SECONDS
        if ioloop.socket_map:
            ioloop.poll(wait)
        else:
            time.sleep(wait)
        next_due = ioloop.sched.poll()  # runs the timers that are due
        # Never 0: pyftpdlib's poll() takes 0 as "wait forever".
        wait = POLL_SECONDS if next_due is None else max(0.001, min(POLL_SECONDS, next_due))
