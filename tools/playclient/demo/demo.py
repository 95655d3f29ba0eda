#!/usr/bin/env python3
"""A live game mapped inside the client: starts TinyMUX on a loopback port
with the demo world, starts playclient under Wine with VorMapper docked and
online in trace mode, and walks a short route so that the map grows.

  demo.py --build WINDOWS_BUILD_DIR [--headless [--check]] [--out DIR] [--vmm NATIVE_VMM]
          [--client-build DIR] [--mapper-build DIR]

The client and the mapper come from the build directory, or from the builds
named for each (a 64-bit client may dock a 32-bit mapper and the other way
round); the Wine environment is the build directory's.

Interactive (a real $DISPLAY, no --headless): after the walk the user plays
on; closing the client ends the demo. Headless (Xvfb): after the walk the
client saves the map, a screenshot is taken, everything started is stopped
and both files are named; --check then compares the map with the world and
looks at the screenshot. Exit codes: 0 done, 1 failed, 77 no game server.
"""
import argparse
import json
import os
import shutil
import signal
import subprocess
import sys
import time

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "mapper", "frame", "tests", "realgame"))
sys.path.insert(0, HERE)
import mux  # noqa: E402  the game server and player sessions of the real-game test
import png  # noqa: E402
import world  # noqa: E402  the world, its building, and what trace mode makes of a walk

WINE_ENV = os.path.join(ROOT, "tools", "wine", "wine-env.sh")
WINE_RUN = os.path.join(ROOT, "tools", "wine", "wine-run.sh")


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def log(text):
    print("demo: " + text, flush=True)


def route():
    with open(os.path.join(HERE, "route.txt")) as f:
        lines = [l.strip() for l in f]
    return [l for l in lines if l and not l.startswith("#")]


def expected_map(commands):
    """What trace mode must make of the route, by the world's own exits."""
    sim, place = world.TraceMap(), "square"
    for command in commands:
        d = next((i for i, (a, b) in enumerate(zip(world.DIRS, world.SHORT)) if command in (a, b)), None)
        dest = world.destination(place, command) if d is not None else None
        if dest:
            sim.move(d, world.PLACES[dest][0])
            place = dest
    return sim.as_json()


def wine_env(wine_dir, display):
    """The environment in which WINE_RUN runs a program of the build."""
    return dict(os.environ, VORMAPPER_WINE_DIR=wine_dir, VORMAPPER_WINE_DISPLAY=display)


class Demo:
    def __init__(self, args):
        self.args = args
        self.build = os.path.abspath(args.build)
        self.client_build = os.path.abspath(args.client_build or args.build)
        self.mapper_build = os.path.abspath(args.mapper_build or args.build)
        self.out = os.path.abspath(args.out or os.path.join(self.build, "demo"))
        self.wine_dir = os.path.abspath(args.wine_dir or os.environ.get("VORMAPPER_WINE_DIR") or
                                        os.path.join(self.build, "wine"))
        self.server = None
        self.client = None
        self.started_wine = False

    def exe(self, *parts, build=None):
        path = os.path.join(build or self.build, *parts)
        if not os.path.exists(path):
            raise RuntimeError("%s is not built" % path)
        return path

    def start_game(self):
        self.server = mux.Server(os.path.join(self.out, "game"))
        shutil.rmtree(self.server.workdir, ignore_errors=True)
        self.server.start()
        wizard = mux.Connection(self.server.port)
        wizard.settle(quiet=0.2)
        wizard.command("connect #1 potrzebie")
        world.build(wizard, [("Ann", "secret")])
        wizard.close()
        log("TinyMUX game on 127.0.0.1:%d (pid %d), world built" % (self.server.port, self.server.pid))

    def wine_running(self):
        """True when a Wine environment of the build (a test run's) is up."""
        try:
            with open(os.path.join(self.wine_dir, "xvfb.pid")) as f:
                os.kill(int(f.read().strip()), 0)
            return os.path.exists(os.path.join(self.wine_dir, "display"))
        except (OSError, ValueError):
            return False

    def start_wine(self):
        display_file = os.path.join(self.wine_dir, "display")
        if self.args.headless and not self.wine_running():
            subprocess.run([WINE_ENV, "start", self.wine_dir], check=True, stdout=subprocess.DEVNULL)
            self.started_wine = True
        if self.args.headless:
            with open(display_file) as f:
                self.display = f.read().strip()
        else:
            if not os.path.exists(os.path.join(self.wine_dir, "prefix", ".vormapper-ready")):
                # Make the prefix once (on a private display), then use the real one.
                subprocess.run([WINE_ENV, "start", self.wine_dir], check=True, stdout=subprocess.DEVNULL)
                subprocess.run([WINE_ENV, "stop", self.wine_dir], check=True, stdout=subprocess.DEVNULL)
            self.display = os.environ["DISPLAY"]
            # The prefix's server is stopped at the end unless a test run owns it.
            self.started_wine = not self.wine_running()

    def session_files(self, **files):
        """Paths in out for what a run leaves behind (the map, the log, the
        marker files), as attributes by name; those of an earlier run removed."""
        for name, file_name in files.items():
            path = os.path.join(self.out, file_name)
            setattr(self, name, path)
            if os.path.exists(path):
                os.remove(path)

    def start_playclient(self, args):
        """Writes the settings and starts playclient with its mapper, the
        settings folder and `args`."""
        settings = os.path.join(self.out, "settings")
        os.makedirs(settings, exist_ok=True)
        with open(os.path.join(settings, "vmapper.ini"), "w", newline="") as f:
            f.write(world.settings_ini())
        args = [self.exe("tools", "playclient", "playclient.exe", build=self.client_build),
                "--mapper", winpath(self.exe("mapper", "VorMapper.exe", build=self.mapper_build)),
                "--settings-dir", winpath(settings) + "\\"] + args
        # Wine's output goes to a file: a pipe would be held open by Wine's services.
        self.wine_out = open(os.path.join(self.out, "wine.log"), "w")
        self.client = subprocess.Popen([WINE_RUN] + args, env=wine_env(self.wine_dir, self.display),
                                       stdin=subprocess.DEVNULL, stdout=self.wine_out, stderr=subprocess.STDOUT)

    def start_client(self):
        self.session_files(map_path="demo.vmm", shot_path="demo.png", ready="client.ready", quit="client.quit",
                           client_log="client.log")
        args = ["--port", str(self.server.port), "--trace", "--walk", winpath(os.path.join(HERE, "route.txt")),
                "--step-ms", str(self.args.step_ms), "--log", winpath(self.client_log)]
        if self.args.headless:
            args += ["--save-map", winpath(self.map_path), "--ready-file", winpath(self.ready), "--quit-file",
                     winpath(self.quit)]
        self.start_playclient(args)
        log("client started (pid %d) on display %s" % (self.client.pid, self.display))

    def wait_ready(self, timeout):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if os.path.exists(self.ready):
                return
            if self.client.poll() is not None:
                raise RuntimeError("the client ended early (exit code %d); see %s" %
                                   (self.client.returncode, self.client_log))
            time.sleep(0.2)
        raise RuntimeError("the client did not finish its walk in %d s; see %s" % (timeout, self.client_log))

    def screenshot(self):
        time.sleep(1.0)  # the last paint
        subprocess.run(["import", "-window", "root", "PNG24:" + self.shot_path], check=True,
                       env=dict(os.environ, DISPLAY=self.display), timeout=60)

    def stop_client(self):
        if not self.client:
            return
        if self.client.poll() is None and self.args.headless:
            open(self.quit, "w").close()
            try:
                self.client.wait(timeout=30)
            except subprocess.TimeoutExpired:
                log("the client did not quit; stopping it (pid %d)" % self.client.pid)
                self.client.kill()
                self.client.wait()
        self.wine_out.close()

    def stop(self):
        try:
            if self.client and self.client.poll() is None:
                self.client.kill()
                self.client.wait()
        finally:
            if self.server:
                self.server.stop()
            if self.started_wine:
                subprocess.run([WINE_ENV, "stop", self.wine_dir], stdout=subprocess.DEVNULL)

    # -------------------------------------------------------------- checks

    def vmm(self, command, *args):
        """`vmm COMMAND MAP ARGS...` on the saved map: (exit code, output)."""
        if self.args.vmm:
            run = subprocess.run([self.args.vmm, command, self.map_path] + list(args), capture_output=True,
                                 text=True, timeout=60)
            return run.returncode, run.stdout
        out = os.path.join(self.out, "vmm.out")
        with open(out, "w") as f:
            run = subprocess.run([WINE_RUN, self.exe("tools", "vmm", "vmm.exe"), command, winpath(self.map_path)] +
                                 list(args), env=wine_env(self.wine_dir, self.display), stdout=f,
                                 stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=120)
        with open(out) as f:
            return run.returncode, f.read()

    def dump(self):
        code, text = self.vmm("dump")
        if code != 0:
            raise AssertionError("vmm dump failed on %s" % self.map_path)
        return json.loads(text)

    def check_map(self):
        got = world.map_of_dump(self.dump())
        want = expected_map(route())
        if got != want:
            raise AssertionError("the saved map differs from the world's topology\n got: %s\nwant: %s" %
                                 (json.dumps(got, sort_keys=True), json.dumps(want, sort_keys=True)))
        log("map checked: %d rooms and %d links, as the world's exits make them" %
            (len(got["rooms"]), len(got["links"])))

    def check_log(self):
        with open(self.client_log, encoding="latin-1") as f:
            text = f.read()
        for needed in ("% connected to", "% mapper docked and online", "% the mapper's menu bar is on the client's window",
                       "% map saved to"):
            if needed not in text:
                raise AssertionError("the client's log lacks %r; see %s" % (needed, self.client_log))

    def check_screenshot(self):
        width, height, rows = png.read(self.shot_path)
        # The client's main window is at the top left (1180 x 900); the map
        # fills its upper part, the game window its lower part. The map area
        # must show the map view (white background, grey grid), the rooms and
        # links of the walk in black and the current room in its green, and
        # not the empty main window's grey.
        counts = {}
        for y in range(80, 540):
            for x in range(20, 1150):
                counts[rows[y][x]] = counts.get(rows[y][x], 0) + 1
        total = sum(counts.values())

        def share(test):
            return sum(n for c, n in counts.items() if test(c))

        white = share(lambda c: min(c) >= 250)
        black = share(lambda c: max(c) <= 30)
        green = share(lambda c: c[1] >= 230 and c[0] <= 140 and c[2] <= 140)
        workspace = share(lambda c: c == (128, 128, 128))
        problems = []
        if white < total // 2:
            problems.append("the map view's background covers only %d of %d pixels" % (white, total))
        if black < 200:
            problems.append("only %d pixels of rooms and links" % black)
        if green < 30:
            problems.append("the current room is not drawn (%d green pixels)" % green)
        if workspace > total // 10:
            problems.append("%d pixels of the empty main window show through" % workspace)
        if problems:
            raise AssertionError("screenshot %s: %s" % (self.shot_path, "; ".join(problems)))
        log("screenshot checked: %d map-background, %d room and link, %d current-room pixels in the map area" %
            (white, black, green))

    def start_world(self):
        """Wine and the game with its world; False when the game server cannot start here."""
        os.makedirs(self.out, exist_ok=True)
        self.start_wine()
        try:
            self.start_game()
        except (RuntimeError, subprocess.SubprocessError) as e:
            log("the game server cannot start here (%s)" % e)
            return False
        return True

    def run(self):
        if not mux.available():
            log("TinyMUX is not installed (bash tools/install-deps.sh installs it)")
            return 77
        try:
            if not self.start_world():
                return 77
            self.start_client()
            if not self.args.headless:
                log("the client walks the demo route, then you play on; close its window to end")
                self.client.wait()
                self.wine_out.close()
                return 0
            self.wait_ready(self.args.timeout)
            self.screenshot()
            self.stop_client()
            if not os.path.exists(self.map_path):
                raise RuntimeError("the client did not save the map; see %s" % self.client_log)
            log("map saved to %s" % self.map_path)
            log("screenshot saved to %s" % self.shot_path)
            if self.args.vmm:
                picture = os.path.join(self.out, "demo-map.png")
                run = subprocess.run([self.args.vmm, "render", self.map_path, picture], capture_output=True,
                                     text=True, timeout=60)
                log("map drawn to %s" % picture if run.returncode == 0 else "vmm render: " + run.stderr.strip())
            if self.args.check:
                self.check_log()
                self.check_map()
                self.check_screenshot()
            return 0
        finally:
            self.stop()


def main_of(session, doc, add_arguments=lambda p: None):
    """Runs a session script: its arguments, stops from outside, and the exit
    code of its run (1 with a FAIL line when a check or a step fails)."""
    # Stopped from outside (or Ctrl-C, also when started in the background):
    # unwind, so that everything started is stopped.
    def stop(signum, frame):
        raise SystemExit(130 if signum == signal.SIGINT else 143)
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    p = argparse.ArgumentParser(description=doc, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--build", required=True, help="the Windows build directory (win32 or win64)")
    p.add_argument("--client-build", help="the build whose playclient.exe runs (default: --build)")
    p.add_argument("--mapper-build", help="the build whose VorMapper.exe is docked (default: --build)")
    p.add_argument("--out")
    add_arguments(p)
    args = p.parse_args()
    try:
        return session(args).run()
    except (AssertionError, RuntimeError, OSError, ValueError, subprocess.SubprocessError) as e:
        print("FAIL: %s" % e, flush=True)
        return 1


def main():
    def add_arguments(p):
        p.add_argument("--headless", action="store_true")
        p.add_argument("--check", action="store_true")
        p.add_argument("--wine-dir")
        p.add_argument("--vmm", help="a native vmm for reading the saved map (else vmm.exe under Wine)")
        p.add_argument("--step-ms", type=int, default=1200)
        p.add_argument("--timeout", type=int, default=180)
    return main_of(Demo, __doc__, add_arguments)


if __name__ == "__main__":
    sys.exit(main())
