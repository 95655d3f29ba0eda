"""A private TinyMUX game for tests: install, start on a free loopback port,
talk to it as players over TCP, stop it by its pid."""
import os
import shutil
import signal
import socket
import subprocess
import time

INSTALL = "/usr/games/tinymux-install"

IAC, DONT, DO, WONT, WILL, SB, SE = 255, 254, 253, 252, 251, 250, 240


def available():
    return os.path.exists(INSTALL) and os.path.exists("/usr/lib/tinymux/game/bin/netmux")


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Server:
    def __init__(self, workdir):
        self.workdir = workdir
        self.game = os.path.join(workdir, "tinymux", "game")
        self.port = None
        self.pid = None

    def start(self):
        os.makedirs(self.workdir, exist_ok=True)
        subprocess.run([INSTALL], cwd=self.workdir, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        db = os.path.join(self.game, "data", "netmux.db")
        if os.path.exists(db):
            os.remove(db)  # a minimal world is made on the first start
        self.port = free_port()
        with open(os.path.join(self.game, "netmux.conf"), "a") as conf:
            conf.write("\nport %d\nip_address 127.0.0.1\ncommand_quota_max 1000\n"
                       "command_quota_increment 100\nplayer_listen yes\n" % self.port)
        subprocess.run(["./Startmux"], cwd=self.game, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        pidfile = os.path.join(self.game, "netmux.pid")
        deadline = time.time() + 20
        while time.time() < deadline:
            try:
                with open(pidfile) as f:
                    self.pid = int(f.read().strip())
                with socket.create_connection(("127.0.0.1", self.port), timeout=1):
                    return
            except (OSError, ValueError):
                time.sleep(0.05)
        raise RuntimeError("the game server did not start on port %d" % self.port)

    def stop(self):
        if not self.pid:
            return
        try:
            os.kill(self.pid, signal.SIGTERM)
        except ProcessLookupError:
            self.pid = None
            return
        deadline = time.time() + 15
        while time.time() < deadline:
            try:
                os.kill(self.pid, 0)
            except ProcessLookupError:
                break
            time.sleep(0.05)
        else:
            os.kill(self.pid, signal.SIGKILL)
        self.pid = None

    def remove(self):
        shutil.rmtree(self.workdir, ignore_errors=True)


class Connection:
    """One player's TCP session. Lines come back without CRLF; telnet
    negotiation is refused and removed."""

    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=10)
        self.buf = b""
        self.sync = 0

    def close(self):
        try:
            self.sock.sendall(b"QUIT\r\n")
        except OSError:
            pass
        self.sock.close()

    def send(self, text):
        self.sock.sendall(text.encode("latin-1") + b"\r\n")

    def _strip_telnet(self, data):
        out = bytearray()
        i = 0
        while i < len(data):
            c = data[i]
            if c != IAC:
                out.append(c)
                i += 1
                continue
            if i + 1 >= len(data):
                break
            cmd = data[i + 1]
            if cmd in (DO, DONT, WILL, WONT) and i + 2 < len(data):
                opt = data[i + 2]
                if cmd == DO:
                    self.sock.sendall(bytes([IAC, WONT, opt]))
                elif cmd == WILL:
                    self.sock.sendall(bytes([IAC, DONT, opt]))
                i += 3
            elif cmd == SB:
                end = data.find(bytes([IAC, SE]), i)
                i = len(data) if end < 0 else end + 2
            elif cmd == IAC:
                out.append(IAC)
                i += 2
            else:
                i += 2
        return bytes(out)

    def _read_some(self, timeout):
        self.sock.settimeout(timeout)
        try:
            data = self.sock.recv(65536)
        except socket.timeout:
            return False
        if not data:
            raise RuntimeError("the game closed the connection")
        self.buf += self._strip_telnet(data)
        return True

    def read_until_marker(self, marker, timeout=10):
        """Lines up to (not including) the line that is exactly `marker`."""
        deadline = time.time() + timeout
        lines = []
        while True:
            while b"\n" in self.buf:
                raw, self.buf = self.buf.split(b"\n", 1)
                line = raw.rstrip(b"\r").decode("latin-1")
                if line == marker:
                    return lines
                lines.append(line)
            if time.time() > deadline:
                raise RuntimeError("no %r from the game; got %r" % (marker, lines))
            self._read_some(max(0.01, deadline - time.time()))

    def command(self, text):
        """Sends a command and returns its output, framed by a marker."""
        self.sync += 1
        marker = "SYNC-%d" % self.sync
        self.send(text)
        self.send("think " + marker)
        return self.read_until_marker(marker)

    def settle(self, quiet=0.4, timeout=5):
        """Everything that arrives until the game stays quiet."""
        deadline = time.time() + timeout
        while time.time() < deadline and self._read_some(quiet):
            pass
        lines = []
        while b"\n" in self.buf:
            raw, self.buf = self.buf.split(b"\n", 1)
            lines.append(raw.rstrip(b"\r").decode("latin-1"))
        return lines
