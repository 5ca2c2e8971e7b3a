#!/usr/bin/python3
"""Self-test of the test FTP drop: every mode, seen by an active-mode client.

  /usr/bin/python3 tests/ftp_server/test_ftp_server.py
"""
import sys

sys.dont_write_bytecode = True

import ftplib  # noqa: E402
import io  # noqa: E402
import os  # noqa: E402
import random  # noqa: E402
import socket  # noqa: E402
import subprocess  # noqa: E402
import tempfile  # noqa: E402
import threading  # noqa: E402
import time  # noqa: E402
import unittest  # noqa: E402

from control_mode import ControlFile, Mode, parse_mode  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER = os.path.join(HERE, "pravex_ftp_server.py")
SERVER_PYTHON = "/usr/bin/python3"  # the interpreter that has pyftpdlib
HOST = "127.0.0.1"
CLIENT_TIMEOUT = 5  # seconds for any single client operation

_server = None


def free_port():
    ports = list(range(20000, 30000))
    random.shuffle(ports)
    for port in ports[:200]:
        with socket.socket() as probe:
            try:
                probe.bind((HOST, port))
                return port
            except OSError:
                continue
    raise RuntimeError("no free port in 20000-29999")


def wait_for(condition, limit):
    """Polls condition until true; returns the seconds it took, or None."""
    start = time.monotonic()
    while time.monotonic() - start < limit:
        if condition():
            return time.monotonic() - start
        time.sleep(0.02)
    return None


def port_accepts(port):
    try:
        with socket.create_connection((HOST, port), timeout=1):
            return True
    except OSError:
        return False


class DropServer:
    """The server under test, in its own process and temporary folder."""

    def __init__(self):
        self._folder = tempfile.TemporaryDirectory(prefix="pravex_ftp_test_")
        base = self._folder.name
        self.root = os.path.join(base, "root")
        self.incoming = os.path.join(self.root, "support", "incoming")
        self.control = os.path.join(base, "mode")
        self.log = os.path.join(base, "server.log")
        self.port = free_port()
        self._process = subprocess.Popen(
            [SERVER_PYTHON, "-B", SERVER, "--root", self.root, "--port", str(self.port),
             "--control", self.control, "--log", self.log],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if wait_for(lambda: port_accepts(self.port) or self._process.poll() is not None, 10) is None \
                or self._process.poll() is not None:
            self.stop()
            raise RuntimeError("the FTP server did not come up")

    def set_mode(self, text):
        with open(self.control, "w", encoding="utf-8") as file:
            file.write(text)

    def stored(self, name):
        path = os.path.join(self.incoming, name)
        if not os.path.exists(path):
            return None
        with open(path, "rb") as file:
            return file.read()

    def stop(self):
        try:
            self._process.terminate()
            try:
                self._process.wait(5)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait(5)
        finally:
            if os.environ.get("PRAVEX_FTP_TEST_KEEP_LOG"):
                with open(self.log, encoding="utf-8", errors="replace") as file:
                    sys.stderr.write(file.read())
            self._folder.cleanup()


def setUpModule():
    global _server
    _server = DropServer()


def tearDownModule():
    _server.stop()


def open_session(login=True):
    ftp = ftplib.FTP(timeout=CLIENT_TIMEOUT)
    ftp.set_pasv(False)  # the product uses active mode
    try:
        ftp.connect(HOST, _server.port)
        if login:
            ftp.sendcmd("USER anonymous")
            ftp.sendcmd("PASS")  # the empty password, as the product sends it
    except BaseException:
        ftp.close()
        raise
    return ftp


def store_reply(ftp, name, data):
    """Uploads data to support/incoming/name; returns the final reply."""
    try:
        return ftp.storbinary(f"STOR support/incoming/{name}", io.BytesIO(data))
    except ftplib.Error as err:
        return str(err)
    except OSError:
        # The data connection was reset under the client; the server's
        # verdict still follows on the control connection.
        try:
            return ftp.getresp()
        except ftplib.Error as err:
            return str(err)


class ModeFileTest(unittest.TestCase):
    def test_accepts_what_windows_tools_write(self):
        self.assertEqual(parse_mode("\ufeffslow 2.5\r\n"), Mode("slow", 2.5))
        self.assertEqual(parse_mode("throttle 4096\r\n"), Mode("throttle", read_limit=4096))
        self.assertEqual(parse_mode("Drop-Data\r\n"), Mode("drop-data"))
        self.assertEqual(parse_mode(" \r\n"), Mode("normal"))

    def test_a_typo_serves_as_normal(self):
        for text in ("slwo 2", "slow", "slow -1", "slow soon", "absent-ish", "throttle 0",
                     "throttle 1.5"):
            with self.subTest(text=text):
                self.assertRaises(ValueError, parse_mode, text)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "mode")
            self.assertEqual(ControlFile(path).read(), Mode("normal"))  # missing file
            with open(path, "w", encoding="utf-8") as file:
                file.write("refuse-everything")
            with self.assertLogs("pravex_ftp_server", "WARNING"):  # not silently
                self.assertEqual(ControlFile(path).read(), Mode("normal"))


class ServerTestCase(unittest.TestCase):
    def setUp(self):
        _server.set_mode("normal")
        self.assertIsNotNone(wait_for(lambda: port_accepts(_server.port), 2))


class NormalModeTest(ServerTestCase):
    def test_stores_the_exact_bytes_once(self):
        # Every byte value, bare LFs and CRLFs: any text-mode mangling shows.
        data = bytes(range(256)) * 400 + b"line\nline\r\n\r"
        with open_session() as ftp:
            self.assertTrue(store_reply(ftp, "exact.bin", data).startswith("226"))
            self.assertEqual(_server.stored("exact.bin"), data)

            reply = store_reply(ftp, "exact.bin", b"second send")
            self.assertTrue(reply.startswith("550"), reply)
            self.assertEqual(_server.stored("exact.bin"), data)

    def test_login_takes_anonymous_with_any_password_only(self):
        for password_command in ("PASS", "PASS ", "PASS someone@example.org"):
            with self.subTest(password=password_command), open_session(login=False) as ftp:
                ftp.sendcmd("USER anonymous")
                self.assertTrue(ftp.sendcmd(password_command).startswith("230"))
        with open_session(login=False) as ftp:
            ftp.sendcmd("USER support")
            self.assertRaisesRegex(ftplib.error_perm, "^530", ftp.sendcmd, "PASS secret")

    def test_writes_only_into_incoming(self):
        with open_session() as ftp:
            for path in ("outside.txt", "support/outside.txt"):
                with self.subTest(path=path):
                    self.assertRaisesRegex(ftplib.error_perm, "^550", ftp.storbinary,
                                           f"STOR {path}", io.BytesIO(b"x"))
            store_reply(ftp, "keep.txt", b"kept")
            for command in ("DELE support/incoming/keep.txt", "RNFR support/incoming/keep.txt",
                            "APPE support/incoming/keep.txt"):
                with self.subTest(command=command):
                    self.assertRaisesRegex(ftplib.error_perm, "^550", ftp.sendcmd, command)
        self.assertEqual(_server.stored("keep.txt"), b"kept")


class RefusingModesTest(ServerTestCase):
    def test_refuse_login_answers_530(self):
        _server.set_mode("refuse-login")
        with open_session(login=False) as ftp:
            ftp.sendcmd("USER anonymous")
            self.assertRaisesRegex(ftplib.error_perm, "^530", ftp.sendcmd, "PASS")

    def test_refuse_stor_answers_550_and_stores_nothing(self):
        _server.set_mode("refuse-stor")
        with open_session() as ftp:
            reply = store_reply(ftp, "refused.txt", b"report")
        self.assertTrue(reply.startswith("550"), reply)
        self.assertIsNone(_server.stored("refused.txt"))

    def test_mode_is_read_again_before_each_stor(self):
        with open_session() as ftp:  # logged in while normal
            _server.set_mode("refuse-stor")
            self.assertTrue(store_reply(ftp, "later.txt", b"1").startswith("550"))
            _server.set_mode("normal")
            self.assertTrue(store_reply(ftp, "later.txt", b"2").startswith("226"))
        self.assertEqual(_server.stored("later.txt"), b"2")


class DropDataModeTest(ServerTestCase):
    def test_upload_is_cut_and_nothing_is_kept(self):
        # An empty upload ends before there is anything to cut.
        for name, data in (("large.bin", os.urandom(4 * 1024 * 1024)), ("empty.txt", b"")):
            with self.subTest(name=name):
                _server.set_mode("drop-data")
                with open_session() as ftp:
                    reply = store_reply(ftp, name, data)
                self.assertTrue(reply.startswith("426"), reply)
                self.assertIsNone(_server.stored(name))

                # Nothing half-stored blocks a resend under the same name.
                _server.set_mode("normal")
                with open_session() as ftp:
                    self.assertTrue(store_reply(ftp, name, data).startswith("226"))
                self.assertEqual(_server.stored(name), data)


class SlowModeTest(ServerTestCase):
    def test_replies_are_late_but_other_sessions_are_served(self):
        delay = 1.5
        _server.set_mode(f"slow {delay}")
        started = time.monotonic()
        ftp = open_session(login=False)  # the greeting itself is not held back
        try:
            self.assertLess(time.monotonic() - started, delay * 0.5)
            waited = {}

            def ask_user():
                begin = time.monotonic()
                ftp.sendcmd("USER anonymous")
                waited["user"] = time.monotonic() - begin

            asker = threading.Thread(target=ask_user, daemon=True)
            asker.start()
            time.sleep(0.2)
            begin = time.monotonic()
            other = open_session(login=False)  # meanwhile, another client is greeted
            other.close()
            self.assertLess(time.monotonic() - begin, delay * 0.5)
            asker.join(CLIENT_TIMEOUT)
            self.assertGreaterEqual(waited.get("user", 0), delay * 0.8)
        finally:
            ftp.close()


class ThrottleModeTest(ServerTestCase):
    def test_the_upload_takes_its_time_and_arrives_whole(self):
        data = os.urandom(64 * 1024)
        _server.set_mode("throttle 16384")
        started = time.monotonic()
        with open_session() as ftp:
            ftp.sock.settimeout(30)
            reply = store_reply(ftp, "throttled.bin", data)
        took = time.monotonic() - started
        self.assertTrue(reply.startswith("226"), reply)
        self.assertEqual(_server.stored("throttled.bin"), data)
        self.assertGreater(took, 2)
        self.assertLess(took, 12)


class AbsentModeTest(ServerTestCase):
    def test_connects_are_refused_until_the_mode_changes(self):
        with open_session() as ftp:
            _server.set_mode("absent")
            self.assertIsNotNone(wait_for(lambda: not port_accepts(_server.port), 1))
            with socket.socket() as probe:
                probe.settimeout(1)
                self.assertRaises(ConnectionRefusedError, probe.connect, (HOST, _server.port))
            self.assertTrue(ftp.sendcmd("NOOP").startswith("200"))  # open sessions go on

            _server.set_mode("normal")
            reopened_after = wait_for(lambda: port_accepts(_server.port), 2)
        self.assertIsNotNone(reopened_after)
        self.assertLess(reopened_after, 0.3)


if __name__ == "__main__":
    unittest.main()
