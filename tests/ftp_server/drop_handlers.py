"""Session handlers of the test FTP drop: an anonymous, write-only upload area
whose misbehaviour follows the current mode."""
import collections
import logging
import os
import socket
import struct
import warnings

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.ioloop import RetryError

from control_mode import ABSENT, DROP_DATA, REFUSE_LOGIN, REFUSE_STOR

INCOMING = os.path.join("support", "incoming")

# How much of an upload is read in "drop-data" mode before the cut.
PARTIAL_READ_BYTES = 512

logger = logging.getLogger("pravex_ftp_server")


class DropAuthorizer(DummyAuthorizer):
    """Lets "anonymous" in with any password, unless the mode refuses logins."""

    def validate_authentication(self, username, password, handler):
        if handler.mode.name == REFUSE_LOGIN:
            raise AuthenticationFailed("Login refused.")
        super().validate_authentication(username, password, handler)


def make_authorizer(root):
    authorizer = DropAuthorizer()
    # Browsing is harmless; writing is confined to the incoming folder, and
    # no delete, rename or append anywhere: a drop never alters what it got.
    authorizer.add_anonymous(root, perm="el")
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", RuntimeWarning)  # write access for anonymous is the point
        authorizer.override_perm("anonymous", os.path.join(root, INCOMING), perm="elw")
    return authorizer


class CuttableDataChannel(ThrottledDTPHandler):
    """Data connection that, when told to, reads a little of an upload and
    then resets the connection instead of finishing it, or takes it no
    faster than the "throttle" mode says (as the mode is when it opens)."""

    def __init__(self, sock, cmd_channel):
        self.read_limit = cmd_channel.control.read().read_limit
        super().__init__(sock, cmd_channel)

    def handle_read(self):
        if not self.cmd_channel.cut_upload:
            return super().handle_read()
        try:
            chunk = self.recv(PARTIAL_READ_BYTES)
        except RetryError:
            return None
        except OSError:
            chunk = b""
        self.tot_bytes_received += len(chunk)
        self._cut()
        return None

    # The base class binds this alias to its own handle_read.
    handle_read_event = handle_read

    def handle_close(self):
        # An upload shorter than the partial read ends before handle_read
        # can cut it; it must not be reported complete.
        if self.receive and self.cmd_channel.cut_upload:
            self._cut()
        else:
            super().handle_close()

    def _cut(self):
        if self._closed:
            return
        try:
            # Linger 0: close() sends a reset, as a failing link would.
            self.socket.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        except OSError:
            pass
        self._resp = ("426 Connection closed; transfer aborted.", logger.warning)
        self.close()  # replies 426, closes the file, reports it incomplete


class DropHandler(FTPHandler):
    """Control connection. The mode is read when the client connects and again
    before every STOR; "slow" holds back each reply after the greeting."""

    control = None  # ControlFile, set by the program before serving
    dtp_handler = CuttableDataChannel
    auth_failed_timeout = 0  # a refused login is answered at once (or as slowly as the mode says)
    banner = "Support drop ready."

    def __init__(self, conn, server, ioloop=None):
        self.mode = self.control.read()
        self.cut_upload = False
        self._held_lines = collections.deque()
        self._release_timer = None
        super().__init__(conn, server, ioloop=ioloop)

    def on_connect(self):
        self.log(f"mode {self.mode}")
        if self.mode.name == ABSENT:
            # Accepted in the moment before the listener closed: behave as
            # if nobody had answered.
            self.close()

    # --- "slow": each complete command line waits its turn

    def found_terminator(self):
        if self.mode.delay <= 0 and not self._held_lines:
            super().found_terminator()
            return
        self._held_lines.append(b"".join(self._in_buffer))
        self._in_buffer = []
        self._in_buffer_len = 0
        # The command itself is logged when answered; a client that gives
        # up first would otherwise leave no trace of it.
        self.log(f"holding a command back for {self.mode.delay:g} s")
        if self._release_timer is None:
            self._hold_next()

    def _hold_next(self):
        self._release_timer = self.ioloop.call_later(
            self.mode.delay, self._release_held_line, _errback=self.handle_error)

    def _release_held_line(self):
        self._release_timer = None
        if self._closed or not self._held_lines:
            return
        # Half a next line may already be buffered; keep it aside.
        partial, partial_len = self._in_buffer, self._in_buffer_len
        self._in_buffer, self._in_buffer_len = [self._held_lines.popleft()], 0
        super().found_terminator()
        self._in_buffer, self._in_buffer_len = partial, partial_len
        if self._held_lines and not self._closed:
            self._hold_next()

    def close(self):
        if self._release_timer is not None:
            self._release_timer.cancel()
            self._release_timer = None
        super().close()

    # --- uploads

    def ftp_STOR(self, file, mode="w"):
        self.mode = self.control.read()
        self.cut_upload = False
        self.log(f"mode {self.mode}")
        if self.mode.name == REFUSE_STOR:
            self.respond("550 Uploads are not accepted now.")
            return None
        if os.path.lexists(file):
            self.respond(f'550 "{self.fs.fs2ftp(file)}" already exists; the drop never overwrites.')
            return None
        self.cut_upload = self.mode.name == DROP_DATA
        return super().ftp_STOR(file, mode)

    def on_file_received(self, file):
        self.log(f"stored {file} ({os.path.getsize(file)} bytes)")

    def on_incomplete_file_received(self, file):
        # Half a report is worse than none, and it would block a resend of
        # the same name.
        try:
            os.remove(file)
            self.log(f"removed incomplete {file}")
        except OSError as err:
            self.logerror(f"cannot remove incomplete {file}: {err}")
