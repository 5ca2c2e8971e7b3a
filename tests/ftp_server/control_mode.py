"""The behaviour mode of the test FTP drop, read from the file a test writes.

The file holds one word, optionally followed by a number ("slow 2.5",
"throttle 50000").
A missing or empty file means "normal". The tests write it from inside
Wine, so a byte order mark and CRLF line ends are tolerated.
"""
import logging
from typing import NamedTuple

NORMAL = "normal"
REFUSE_LOGIN = "refuse-login"
REFUSE_STOR = "refuse-stor"
DROP_DATA = "drop-data"
SLOW = "slow"
THROTTLE = "throttle"
ABSENT = "absent"

KNOWN_MODES = (NORMAL, REFUSE_LOGIN, REFUSE_STOR, DROP_DATA, SLOW, THROTTLE, ABSENT)

logger = logging.getLogger("pravex_ftp_server")


class Mode(NamedTuple):
    name: str
    delay: float = 0.0  # seconds before each reply; only "slow" sets it
    read_limit: int = 0  # bytes a second the data channel takes; only "throttle" sets it

    def __str__(self):
        if self.name == SLOW:
            return f"{self.name} {self.delay:g}"
        if self.name == THROTTLE:
            return f"{self.name} {self.read_limit}"
        return self.name


def parse_mode(text):
    """Returns the Mode written in text; raises ValueError if it names none."""
    words = text.replace("\ufeff", "").split()
    if not words:
        return Mode(NORMAL)
    name = words[0].lower()
    if name not in KNOWN_MODES:
        raise ValueError(f"unknown mode {words[0]!r}")
    if name not in (SLOW, THROTTLE):
        return Mode(name)
    if len(words) < 2:
        raise ValueError(f"'{name}' needs a number: seconds to wait, or bytes a second")
    if name == THROTTLE:
        limit = int(words[1])  # ValueError names the bad number
        if limit <= 0:
            raise ValueError(f"'throttle' takes a positive number of bytes a second: {words[1]}")
        return Mode(THROTTLE, read_limit=limit)
    delay = float(words[1])
    if not 0 <= delay < 3600:
        raise ValueError(f"'slow' delay out of range: {words[1]}")
    return Mode(SLOW, delay)


class ControlFile:
    """The mode file; read afresh on every call so a test can switch at any time."""

    def __init__(self, path):
        self.path = path
        self._last_complaint = None

    def read(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as file:
                text = file.read(4096)
        except FileNotFoundError:
            return Mode(NORMAL)
        except OSError as err:
            self._complain(f"cannot read {self.path}: {err}")
            return Mode(NORMAL)
        try:
            mode = parse_mode(text)
        except ValueError as err:
            # A typo must not pass silently, but the poller reads the file
            # twenty times a second: say it once per distinct content.
            self._complain(f"{self.path}: {err}; serving as 'normal'")
            return Mode(NORMAL)
        self._last_complaint = None
        return mode

    def _complain(self, message):
        if message != self._last_complaint:
            logger.warning("%s", message)
            self._last_complaint = message
