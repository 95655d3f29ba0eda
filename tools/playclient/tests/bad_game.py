#!/usr/bin/env python3
"""The client under bad input, with the real mapper docked: a fake game that
splits telnet and terminal sequences byte by byte, sends a 100 KB line and
closes in the middle of a line, and a mapper that is killed. The client must
report each, answer the negotiation with refusals, and keep running until it
is told to quit.

  bad_game.py --build WINDOWS_BUILD_DIR --out DIR   (VORMAPPER_WINE_DIR: a running Wine environment)
"""
import argparse
import os
import socket
import subprocess
import sys
import threading
import time

IAC, WILL, DO, DONT, WONT = 255, 251, 253, 254, 252
WINE_RUN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "wine", "wine-run.sh")


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class FakeGame(threading.Thread):
    def __init__(self):
        super().__init__(daemon=True)
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(1)
        self.port = self.listener.getsockname()[1]
        self.received = b""
        self.conn = None
        self.go_on = threading.Event()

    def send_slowly(self, data):
        for i in range(len(data)):
            self.conn.sendall(data[i:i + 1])
            time.sleep(0.01)

    def run(self):
        self.conn, _ = self.listener.accept()
        threading.Thread(target=self.read, daemon=True).start()
        # Negotiation and colour split into single bytes.
        self.send_slowly(bytes([IAC, WILL, 25, IAC, DO, 31]) + b"\x1b[1;32mWelcome\x1b[0m to the fake game\r\n")
        self.conn.sendall(b"x" * (100 * 1024) + b"\r\n")
        self.conn.sendall(b"after the long line\r\n")
        self.go_on.wait(120)
        self.conn.sendall(b"still here\r\nhalf a li")
        time.sleep(0.3)
        self.conn.shutdown(socket.SHUT_RDWR)  # the reading thread holds the socket: close() alone sends nothing
        self.conn.close()

    def read(self):
        while True:
            try:
                data = self.conn.recv(4096)
            except OSError:
                return
            if not data:
                return
            self.received += data


def wait_for(path, text, timeout=60, client=None):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if os.path.exists(path):
            with open(path, encoding="latin-1", newline="") as f:
                content = f.read()
            if text in content:
                return content
        if client is not None and client.poll() is not None:
            raise AssertionError("the client ended (exit code %d) before %r" % (client.returncode, text))
        time.sleep(0.1)
    raise AssertionError("no %r in %s after %d s" % (text, path, timeout))


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--build", required=True)
    p.add_argument("--out", required=True)
    args = p.parse_args()
    os.makedirs(args.out, exist_ok=True)
    log, quit_file, walk = (os.path.join(args.out, n) for n in ("client.log", "client.quit", "walk.txt"))
    for path in (log, quit_file):
        if os.path.exists(path):
            os.remove(path)
    with open(walk, "w") as f:
        f.write("hello\n")
    # No mapper where it is said to be, and no game on the port: both
    # reported, and the client still answers.
    closed = socket.socket()
    closed.bind(("127.0.0.1", 0))
    closed_port = closed.getsockname()[1]  # bound, never listening
    alone = subprocess.Popen(
        [WINE_RUN, os.path.join(args.build, "tools", "playclient", "playclient.exe"), "--port", str(closed_port),
         "--mapper", winpath(os.path.join(args.out, "no-such-mapper.exe")), "--log", winpath(log),
         "--quit-file", winpath(quit_file)],
        stdin=subprocess.DEVNULL, stdout=open(os.path.join(args.out, "wine-alone.log"), "w"),
        stderr=subprocess.STDOUT)
    try:
        wait_for(log, "% cannot start the mapper", client=alone)
        wait_for(log, "% cannot connect to 127.0.0.1:" + str(closed_port), client=alone)
        open(quit_file, "w").close()
        alone.wait(timeout=30)
        if alone.returncode != 0:
            print("FAIL: the client without mapper and game ended with %d" % alone.returncode)
            return 1
    except (AssertionError, subprocess.SubprocessError) as e:
        print("FAIL: %s" % e)
        return 1
    finally:
        if alone.poll() is None:
            alone.kill()
            alone.wait()
        closed.close()
    for path in (log, quit_file):
        os.remove(path)

    game = FakeGame()
    game.start()
    client = subprocess.Popen(
        [WINE_RUN, os.path.join(args.build, "tools", "playclient", "playclient.exe"), "--port", str(game.port),
         "--mapper", winpath(os.path.join(args.build, "mapper", "VorMapper.exe")), "--log", winpath(log),
         "--walk", winpath(walk), "--step-ms", "0", "--quit-file", winpath(quit_file)],
        stdin=subprocess.DEVNULL, stdout=open(os.path.join(args.out, "wine.log"), "w"),
        stderr=subprocess.STDOUT)
    try:
        text = wait_for(log, "after the long line", client=client)
        assert "Welcome to the fake game\r\n" in text, "the split sequences were not removed"
        assert "a line of 102400 bytes from the game was cut to 16384" in text, "the long line was not reported"
        wait_for(log, "% mapper docked and online", client=client)
        wait_for(log, "> hello", client=client)
        # The mapper dies under the client.
        pid = text.split("(process ")[1].split(")")[0]
        subprocess.run([WINE_RUN, "taskkill", "/F", "/PID", pid], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        wait_for(log, "the mapper ended without being asked to", client=client)
        game.go_on.set()
        wait_for(log, "still here", client=client)
        text = wait_for(log, "% the game closed the connection\r\n", client=client)
        assert "half a li\r\n% the game closed the connection in the middle of a line" in text, text[-400:]
        time.sleep(0.5)
        assert client.poll() is None, "the client did not keep running"
        refusals = bytes([IAC, DONT, 25, IAC, WONT, 31])
        assert refusals in game.received, "no refusals in %r" % game.received[:64]
        assert b"hello\r\n" in game.received, "the walked command did not reach the game"
        open(quit_file, "w").close()
        client.wait(timeout=30)
        assert client.returncode == 0, "the client ended with %d" % client.returncode
        print("ok: no mapper and no game reported; split sequences, a 100 KB line, a killed mapper and a close mid-line reported; client kept running")
        return 0
    except (AssertionError, subprocess.SubprocessError, OSError) as e:
        print("FAIL: %s" % e)
        return 1
    finally:
        if client.poll() is None:
            client.kill()
            client.wait()


if __name__ == "__main__":
    sys.dont_write_bytecode = True
    sys.exit(main())
