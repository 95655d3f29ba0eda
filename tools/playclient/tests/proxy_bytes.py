#!/usr/bin/env python3
"""Proxy mode's sockets byte for byte: playclient --listen under Wine between
a fake client and a fake game (no mapper). Every byte 0-255, telnet
sequences split into single-byte reads and a 200 KB line pass unchanged both
ways; the client's lines are read as commands; a second client is turned
away; the client's end closes the game connection, a new client gets a new
one, and the game's end disconnects the client.

  proxy_bytes.py --build WIN32_BUILD_DIR --out DIR   (VORMAPPER_WINE_DIR: a running Wine environment)
"""
import argparse
import os
import queue
import socket
import subprocess
import sys
import threading
import time

IAC, WILL, DO, SB, SE = 255, 251, 253, 250, 240
TIMEOUT = 120
ALL = bytes(range(256)) * 2 + b"\xff\r\n"  # the last 255 escaped: nothing left open
SPLIT = bytes([IAC, WILL, 25, IAC, DO, 31, IAC, SB, 24, 1, IAC, IAC, 10, IAC, SE]) + b"\x1b[1mbold\x1b[0m\r\n"
LONG = b"y" * (200 * 1024) + b"\r\n"


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def send_split(sock, data):
    """One byte a send, with time between, so that the reader gets them apart."""
    for i in range(len(data)):
        sock.sendall(data[i:i + 1])
        time.sleep(0.005)


def read_exactly(sock, size, what):
    sock.settimeout(TIMEOUT)
    got = b""
    while len(got) < size:
        data = sock.recv(65536)
        if not data:
            break
        got += data
    if len(got) < size:
        raise AssertionError("%s: %d of %d bytes arrived" % (what, len(got), size))
    return got


def read_to_end(sock, what):
    sock.settimeout(TIMEOUT)
    got = b""
    while True:
        try:
            data = sock.recv(65536)
        except socket.timeout:
            raise AssertionError("%s: the connection was not closed" % what)
        except ConnectionResetError:
            return got
        if not data:
            return got
        got += data


class FakeGame:
    def __init__(self):
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(4)
        self.port = self.listener.getsockname()[1]
        self.connections = queue.Queue()
        threading.Thread(target=self.accept, daemon=True).start()

    def accept(self):
        while True:
            try:
                conn, _ = self.listener.accept()
            except OSError:
                return
            conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            self.connections.put(conn)

    def next(self, what):
        try:
            return self.connections.get(timeout=TIMEOUT)
        except queue.Empty:
            raise AssertionError("no game connection for %s" % what)


def connect_client(port):
    s = socket.create_connection(("127.0.0.1", port), timeout=TIMEOUT)
    s.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    return s


def wait_log(path, text, client, start=0):
    deadline = time.time() + TIMEOUT
    while time.time() < deadline:
        if os.path.exists(path):
            with open(path, encoding="latin-1", newline="") as f:
                content = f.read()
            at = content.find(text, start)
            if at >= 0:
                return at
        if client.poll() is not None:
            raise AssertionError("playclient ended (exit code %d) before %r" % (client.returncode, text))
        time.sleep(0.1)
    raise AssertionError("no %r in %s after %d s" % (text, path, TIMEOUT))


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--build", required=True)
    p.add_argument("--out", required=True)
    a = p.parse_args()
    out = os.path.abspath(a.out)
    os.makedirs(out, exist_ok=True)
    log, quit_file = os.path.join(out, "client.log"), os.path.join(out, "client.quit")
    for f in (log, quit_file):
        if os.path.exists(f):
            os.remove(f)
    game = FakeGame()
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    listen = probe.getsockname()[1]
    probe.close()
    wine = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "wine", "wine-run.sh")
    exe = os.path.join(os.path.abspath(a.build), "tools", "playclient", "playclient.exe")
    wine_out = open(os.path.join(out, "wine.log"), "w")
    client = subprocess.Popen([wine, exe, "--listen", str(listen), "--port", str(game.port), "--mapper",
                               winpath(os.path.join(out, "no-mapper.exe")), "--log", winpath(log), "--quit-file",
                               winpath(quit_file)], stdin=subprocess.DEVNULL, stdout=wine_out, stderr=subprocess.STDOUT)
    try:
        wait_log(log, "% proxy: waiting for your client", client)
        # Both ways, byte for byte.
        player = connect_client(listen)
        g1 = game.next("the first client")
        from_game = ALL + SPLIT + LONG + b"end one\r\n"
        g1.sendall(ALL)
        send_split(g1, SPLIT)
        g1.sendall(LONG + b"end one\r\n")
        if read_exactly(player, len(from_game), "game to client") != from_game:
            raise AssertionError("the client got other bytes than the game sent")
        from_player = ALL + bytes([IAC, WILL, 31]) + b"lo" + bytes([IAC, SB, 31, 0, 80, 0, 24, IAC, SE]) + b"ok\r\n"
        player.sendall(ALL)
        send_split(player, from_player[len(ALL):])
        if read_exactly(g1, len(from_player), "client to game") != from_player:
            raise AssertionError("the game got other bytes than the client sent")
        wait_log(log, "\n> look\r\n", client)
        wait_log(log, "\nend one\r\n", client)
        wait_log(log, "%% a line of %d bytes from the game was cut" % (len(LONG) - 2), client)
        print("proxy bytes: %d bytes game to client, %d client to game, unchanged; 'look' read as a command" %
              (len(from_game), len(from_player)), flush=True)
        # One client at a time.
        second = connect_client(listen)
        if b"one at a time" not in read_to_end(second, "the second client"):
            raise AssertionError("the second client was not told why it was turned away")
        second.close()
        wait_log(log, "was turned away", client)
        # The client's end closes the game connection.
        mark = os.path.getsize(log)
        player.close()
        read_to_end(g1, "the game connection after the client's end")
        wait_log(log, "% your client disconnected", client, mark)
        # A new client, a new game connection; the game's end disconnects the client.
        player = connect_client(listen)
        g2 = game.next("the next client")
        g2.sendall(b"bye\r\n")
        g2.shutdown(socket.SHUT_RDWR)
        g2.close()
        if read_to_end(player, "the client after the game's end") != b"bye\r\n":
            raise AssertionError("the client did not get the game's last bytes before its end")
        wait_log(log, "% the game connection ended: your client is disconnected", client, mark)
        print("proxy bytes: one client at a time; each side's end ends the other; a new client, a new game "
              "connection", flush=True)
        open(quit_file, "w").close()
        client.wait(timeout=TIMEOUT)
        return 0
    finally:
        if client.poll() is None:
            client.kill()
            client.wait()
        wine_out.close()


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (AssertionError, OSError, subprocess.SubprocessError) as e:
        print("FAIL: %s" % e, flush=True)
        sys.exit(1)
