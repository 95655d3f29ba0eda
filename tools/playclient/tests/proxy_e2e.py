#!/usr/bin/env python3
"""A real terminal client plays through playclient's proxy mode: starts the
TinyMUX demo world, playclient --listen under Wine with VorMapper docked in
trace mode, and TinyFugue in a tmux session connected to the proxy. Types
the demo walk with tmux send-keys and checks that the saved map is the
world's topology and that the client showed the game's text unchanged; then
walks by clicks on the map's wind rose and checks that the moves reach the
game and show in the client; walks to a far room found with Find room and
checks that the character stands there in the game and on the map; then the
disconnect rules.

  proxy_e2e.py --build WIN32_BUILD_DIR [--out DIR]

Exit codes: 0 passed, 1 failed, 77 TinyMUX, TinyFugue, tmux or xdotool missing.
"""
import os
import shutil
import subprocess
import sys
import time

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "demo"))
import demo  # noqa: E402  the demo session: game, Wine, map checks
from demo import mux, png, world, winpath  # noqa: E402

TIMEOUT = 120  # for each awaited condition: generous on a loaded machine


def log(text):
    print("proxy: " + text, flush=True)


def wait_for(what, test, timeout=TIMEOUT, poll=0.2):
    deadline = time.time() + timeout
    while True:
        got = test()
        if got:
            return got
        if time.time() > deadline:
            raise AssertionError("timed out after %d s waiting for %s" % (timeout, what))
        time.sleep(poll)


class ProxySession(demo.Demo):
    def __init__(self, args):
        args.headless, args.check, args.vmm, args.step_ms, args.wine_dir = True, True, None, 0, None
        super().__init__(args)
        self.tmux_socket = "vm-proxy-%d" % os.getpid()
        self.tmux_started = False

    # ---------------------------------------------------------- starting

    def start_proxy(self):
        self.session_files(map_path="proxy.vmm", ready="client.ready", save_on="client.save", quit="client.quit",
                           client_log="client.log")
        self.listen = mux.free_port()
        self.start_playclient(["--listen", str(self.listen), "--port", str(self.server.port), "--trace", "--log",
                               winpath(self.client_log), "--save-map", winpath(self.map_path), "--ready-file",
                               winpath(self.ready), "--save-on", winpath(self.save_on), "--quit-file",
                               winpath(self.quit)])
        log("playclient started (pid %d), listening on 127.0.0.1:%d" % (self.client.pid, self.listen))
        self.wait_log("the proxy listening", "%% proxy: waiting for your client on 127.0.0.1:%d" % self.listen)
        self.wait_log("the mapper online", "% mapper docked and online")

    def tmux(self, *args, check=True):
        return subprocess.run(["tmux", "-L", self.tmux_socket] + list(args), check=check, capture_output=True,
                              text=True, timeout=60).stdout

    def start_terminal_client(self):
        # TinyFugue without its config file and visual mode: a plain scrolling
        # terminal, connected to the proxy.
        env_cmd = "exec tf -f -v -c'/set wrap=off' 127.0.0.1 %d" % self.listen
        self.tmux("-f", "/dev/null", "new-session", "-d", "-s", "play", "-x", "250", "-y", "50", env_cmd)
        self.tmux_started = True
        self.tmux("set-option", "-t", "play", "history-limit", "50000")
        log("TinyFugue started in tmux (socket %s)" % self.tmux_socket)

    def stop(self):
        try:
            if self.tmux_started:
                self.tmux("kill-server", check=False)
        finally:
            super().stop()

    # ---------------------------------------------------------- looking

    def client_log_text(self):
        try:
            with open(self.client_log, encoding="latin-1") as f:
                return f.read()
        except OSError:
            return ""

    def wait_log(self, what, needle, start=0, count=1):
        def found():
            if self.client.poll() is not None:
                raise AssertionError("playclient ended early (exit code %d)" % self.client.returncode)
            return self.client_log_text().count(needle, start) >= count
        return wait_for("%s (%r in %s)" % (what, needle, self.client_log), found)

    def screen(self):
        return self.tmux("capture-pane", "-p", "-J", "-S", "-", "-t", "play")

    def wait_screen(self, what, needle, start=0):
        return wait_for("%s (%r in the client's terminal)" % (what, needle),
                        lambda: self.screen().find(needle, start) >= 0 and self.screen().find(needle, start))

    def wait_quiet(self, seconds=0.5):
        """Until the game has said nothing for a while (the client's log stops growing)."""
        last, since = None, time.time()
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            size = len(self.client_log_text())
            if size != last:
                last, since = size, time.time()
            elif time.time() - since >= seconds:
                return
            time.sleep(0.1)
        raise AssertionError("the game did not fall quiet")

    def game_window_says_connected(self):
        """The Game window's caption (Wine gives it to the X window) tells of the client."""
        found = subprocess.run(["xdotool", "search", "--name", "a client is connected"], capture_output=True,
                               text=True, timeout=60, env=dict(os.environ, DISPLAY=self.display))
        return found.returncode == 0 and found.stdout.strip() != ""

    def type(self, command):
        self.tmux("send-keys", "-t", "play", "-l", command)
        self.tmux("send-keys", "-t", "play", "Enter")

    # ---------------------------------------------------------- the session

    def typed_walk(self):
        commands = [c for c in demo.route() if not c.startswith("/")]  # the stand-in client's own commands
        place = None
        for command in commands:
            mark = len(self.client_log_text())
            self.type(command)
            self.wait_log("the command %r passed to the mapper" % command, "> %s\n" % command, mark)
            if command.startswith("connect "):
                place = "square"
            elif world.destination(place, command):
                place = world.destination(place, command)
            name = world.PLACES[place][0]
            self.wait_log("the game's answer to %r" % command, name + "\n", mark)
            self.wait_quiet()
        log("typed %d commands in TinyFugue" % len(commands))
        return commands, place

    def save_and_check(self, commands, what):
        for p in (self.map_path, self.ready):
            if os.path.exists(p):
                os.remove(p)
        open(self.save_on, "w").close()
        wait_for("the map saved", lambda: os.path.exists(self.ready))
        got = world.map_of_dump(self.dump())
        want = demo.expected_map(commands)
        if got != want:
            raise AssertionError("%s: the saved map differs from the world's topology\n got: %r\nwant: %r" %
                                 (what, got, want))
        log("%s: map checked, %d rooms and %d links as the world's exits make them" %
            (what, len(got["rooms"]), len(got["links"])))

    def screen_mismatch(self):
        """None when every line of the game's (as playclient decoded it) is
        on the client's screen, unchanged and in order; else what is not."""
        lines = []
        text = self.client_log_text().replace("\r\n", "\n")
        text = text[text.find("%% connected to 127.0.0.1:%d" % self.server.port):]
        for line in text.split("\n")[1:]:
            if line.startswith("% ") or line.startswith("> ") or not line.strip():
                continue
            lines.append(line.rstrip())
        screen = [l.rstrip() for l in self.screen().split("\n")]
        at = 0
        for line in lines:
            try:
                at = screen.index(line, at) + 1
            except ValueError:
                return "the game's line %r is not on the client's screen (in order); screen:\n%s" % (
                    line, "\n".join(screen[-60:]))
        for key in ("square", "nroad", "tower", "cellar", "alley"):
            if world.PLACES[key][0] not in screen:
                return "%s is not on the client's screen" % world.PLACES[key][0]
        self.game_lines = len(lines)
        return None

    def check_screen_holds_game_text(self):
        # The terminal may lag behind the log: look again for a while.
        deadline = time.time() + 30
        while True:
            problem = self.screen_mismatch()
            if problem is None:
                break
            if time.time() > deadline:
                raise AssertionError(problem)
            time.sleep(0.5)
        log("the client's screen holds all %d lines of the game's, unchanged and in order" % self.game_lines)

    def rose_centre(self):
        shot = os.path.join(self.out, "screen.png")
        subprocess.run(["import", "-window", "root", "PNG24:" + shot], check=True,
                       env=dict(os.environ, DISPLAY=self.display), timeout=60)
        width, height, rows = png.read(shot)
        xs, ys = [], []
        for y in range(height):
            row = rows[y]
            for x in range(width):
                if row[x] == (209, 234, 255):  # the rose's disc
                    xs.append(x)
                    ys.append(y)
        if len(xs) < 500:
            raise AssertionError("no wind rose on the screen (%d disc pixels); see %s" % (len(xs), shot))
        return (min(xs) + max(xs)) // 2, (min(ys) + max(ys)) // 2

    def rose_click(self, direction, place):
        # The triangles' middles, in rose units (north up: the map is not turned).
        offsets = {"north": (0, -28), "south": (0, 28), "east": (28, 0), "west": (-28, 0)}
        cx, cy = self.rose_centre()
        dx, dy = offsets[direction]
        dest = world.destination(place, direction)
        mark_log, mark_screen = len(self.client_log_text()), len(self.screen())
        subprocess.run(["xdotool", "mousemove", str(cx + dx), str(cy + dy), "click", "1"], check=True,
                       env=dict(os.environ, DISPLAY=self.display), timeout=60)
        self.wait_log("the rose's %s sent to the game" % direction, "> ", mark_log)
        pos = self.wait_screen("the map's move echoed in the client", "[map] ", max(0, mark_screen - 300))
        self.wait_screen("the game's answer to the map's move", world.PLACES[dest][0], pos)
        self.wait_quiet()
        text = self.client_log_text()[mark_log:]
        sent = text[text.find("> ") + 2:].split("\n")[0].strip()
        if world.destination(place, sent) != dest:
            raise AssertionError("the rose's %s sent %r" % (direction, sent))
        if "[map] %s" % sent not in self.screen().split("\n")[-40:] and \
                "[map] %s" % sent not in [l.rstrip() for l in self.screen().split("\n")]:
            raise AssertionError("the client does not show '[map] %s' on a line of its own" % sent)
        log("rose %s: %r reached the game, the client shows '[map] %s' and %s" %
            (direction, sent, sent, world.PLACES[dest][0]))
        return sent, dest

    def xdotool(self, *args, check=True):
        return subprocess.run(["xdotool"] + list(args), check=check, capture_output=True, text=True, timeout=60,
                              env=dict(os.environ, DISPLAY=self.display))

    def empty_map_point(self):
        """A point of the map view with only background around it, away from the rose."""
        shot = os.path.join(self.out, "screen.png")
        subprocess.run(["import", "-window", "root", "PNG24:" + shot], check=True,
                       env=dict(os.environ, DISPLAY=self.display), timeout=60)
        width, height, rows = png.read(shot)
        rose = self.rose_centre()
        for y in range(120, 500, 20):
            for x in range(60, 1100, 20):
                if abs(x - rose[0]) < 80 and abs(y - rose[1]) < 80:
                    continue
                if all(min(rows[y + dy][x + dx]) >= 250 for dy in range(-12, 13, 3) for dx in range(-12, 13, 3)):
                    return x, y
        raise AssertionError("no empty place on the map view; see %s" % shot)

    def find_room_walk(self, commands):
        """Find room (Ctrl+G) in the map view, the farthest room of a title
        of its own typed, "Walk there": the walk's steps must reach the game
        one by one, and the character stand in that room in the game (asked
        with look) and on the map."""
        dump = self.dump()
        current = dump["currentRoom"]
        titles = [r["title"] for r in dump["rooms"]]
        far = None
        for room in dump["rooms"]:
            if room["id"] == current or titles.count(room["title"]) != 1:
                continue
            code, found = self.vmm("find", room["title"].upper())  # the search folds case
            if code != 0 or [int(l.split("\t")[0]) for l in found.splitlines() if l.strip()] != [room["id"]]:
                raise AssertionError("vmm find %r: exit code %d, %r" % (room["title"], code, found))
            code, way = self.vmm("path", str(current), str(room["id"]))
            if code != 0:
                raise AssertionError("vmm path %d %d failed (exit code %d)" % (current, room["id"], code))
            way = [w.strip() for w in way.splitlines() if w.strip()]
            if far is None or len(way) > len(far[1]):
                far = (room, way)
        room, way = far
        target, title = room["id"], room["title"]
        if len(way) < 2:
            raise AssertionError("no room two steps away or more: %r" % (far,))

        x, y = self.empty_map_point()
        self.xdotool("mousemove", str(x), str(y), "click", "1")
        self.xdotool("key", "ctrl+g")
        dialog = wait_for("the Find room dialog", lambda: self.xdotool("search", "--name", "^Find room$",
                                                                        check=False).stdout.split())
        self.xdotool("windowfocus", "--sync", dialog[0], check=False)
        self.xdotool("type", "--delay", "50", title.lower())
        time.sleep(0.5)
        def echoes():
            lines = [l.rstrip() for l in self.screen().split("\n")]
            return {step: lines.count("[map] " + step) for step in way}
        mark_log, before = len(self.client_log_text()), echoes()
        self.xdotool("key", "alt+w")
        at = mark_log
        for step in way:
            self.wait_log("the walk's step %r sent to the game" % step, "> %s\n" % step, at)
            at = self.client_log_text().find("> %s\n" % step, at) + 1
        self.wait_log("the walk's arrival", title + "\n", at)
        wait_for("the walk's steps echoed in the client as [map] lines",
                 lambda: all(n >= before[step] + way.count(step) for step, n in echoes().items()))
        self.wait_quiet()
        mark = len(self.client_log_text())
        self.type("look")
        self.wait_log("look passed to the mapper", "> look\n", mark)
        self.wait_quiet()
        text = self.client_log_text()[mark:]
        answer = [l.strip() for l in text[text.find("> look\n"):].split("\n")[1:] if l.strip()]
        if not answer or answer[0] != title:
            raise AssertionError("after the walk the game's look names %r, not %r" % (answer[:1], title))
        commands = commands + way + ["look"]
        self.save_and_check(commands, "walk from Find room")
        if self.dump()["currentRoom"] != target:
            raise AssertionError("after the walk the map's character is not in room %d" % target)
        log("Find room %r, Walk there: %s reached the game, the client shows each as [map], and the character "
            "stands in %s (room %d) in the game and on the map" % (title.lower(), ", ".join(way), title, target))
        return commands, title

    def disconnects(self, place_title):
        # The player's client leaves: the game connection closes.
        mark = len(self.client_log_text())
        self.type("/dc")
        self.wait_log("the game connection closed with the client's", "% your client disconnected", mark)
        wait_for("the Game window without its note", lambda: not self.game_window_says_connected())
        # A new client connection opens a new game connection.
        self.type("/connect 127.0.0.1 %d" % self.listen)
        self.wait_log("a second client connection", "% a client connected from", mark)
        self.wait_log("a second game connection", "%% connected to 127.0.0.1:%d" % self.server.port, mark)
        self.wait_quiet()
        self.type("connect Ann secret")
        self.wait_log("the second login, where the character was left", place_title + "\n", mark)
        # The game leaves: the client is disconnected.
        self.type("QUIT")
        self.wait_log("the client disconnected with the game", "% the game connection ended", mark)
        self.wait_log("the proxy waiting again", "% proxy: waiting for your client", mark)
        log("disconnects checked: the client's end closes the game's, the game's end the client's, "
            "and a new client gets a new game connection")

    def run(self):
        missing = [p for p in ("tf", "tmux", "xdotool") if not shutil.which(p)]
        if not mux.available() or missing:
            log("missing: %s (bash tools/install-deps.sh installs them)" % " ".join(missing or ["tinymux"]))
            return 77
        started = time.time()
        try:
            if not self.start_world():
                return 77
            self.start_proxy()
            self.start_terminal_client()
            self.wait_log("the client's connection", "% a client connected from")
            self.wait_log("the game connection", "%% connected to 127.0.0.1:%d" % self.server.port)
            wait_for("the Game window's note that a client is connected", self.game_window_says_connected)
            self.wait_quiet()
            commands, place = self.typed_walk()
            self.save_and_check(commands, "typed walk")
            self.check_screen_holds_game_text()
            for direction in ("north", "south"):
                sent, place = self.rose_click(direction, place)
                commands.append(sent)
            self.save_and_check(commands, "walk on the map")
            commands, title = self.find_room_walk(commands)
            self.disconnects(title)
            self.stop_client()
            log("passed in %.0f s" % (time.time() - started))
            return 0
        finally:
            self.stop()


def main():
    return demo.main_of(ProxySession, __doc__)


if __name__ == "__main__":
    sys.exit(main())
