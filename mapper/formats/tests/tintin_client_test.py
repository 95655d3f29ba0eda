#!/usr/bin/env python3
"""Runs the real TinTin++ client on a map written by VorMapper's writer.

TinTin++ needs a terminal: it runs in a tmux server of this test's own,
with a script that reads the exported map and writes it back. The test
checks that TinTin++ kept every room (with its title) and every exit, that
no title or comment ran as a client command (a `#system touch` in them
creates no file), and that VorMapper reads what TinTin++ wrote.

usage: tintin_client_test.py SAMPLE_EXPORT_TOOL [TT++]
Exits 77 (skipped) when TinTin++ or tmux is not installed.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

WAIT_SECONDS = 30


def fields(text, start):
    """The braced fields of a line from `start` on (nested braces kept)."""
    out, i = [], start
    while i < len(text):
        if text[i] != "{":
            i += 1
            continue
        depth, j = 1, i + 1
        while j < len(text) and depth:
            depth += {"{": 1, "}": -1}.get(text[j], 0)
            j += 1
        out.append(text[i + 1:j - 1])
        i = j
    return out


def rooms_and_exits(path):
    """{vnum: title} and the set of (from, to, direction mask) of a map file."""
    rooms, exits, current = {}, set(), None
    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        for line in f:
            if line.startswith("R "):
                r = fields(line, 2)
                current = int(r[0])
                rooms[current] = r[3]
            elif line.startswith("E ") and current is not None:
                e = fields(line, 2)
                exits.add((current, int(e[0]), int(e[3])))
    return rooms, exits


def run_tintin(tt, script, out_path):
    """Runs TinTin++ on the script in a tmux server of this test's own (its
    own socket), which is ended afterwards whatever happened."""
    tmux = ["tmux", "-L", "vormapper-tintin-test-%d" % os.getpid()]
    env = dict(os.environ, HOME=os.path.dirname(script))
    env.pop("TMUX", None)
    subprocess.run(tmux + ["new-session", "-d", "-s", "tintin", "-x", "200", "-y", "50",
                           "%s -G %s" % (tt, script)], check=True, env=env, timeout=10)
    try:
        deadline = time.monotonic() + WAIT_SECONDS
        while time.monotonic() < deadline:
            alive = subprocess.run(tmux + ["has-session", "-t", "=tintin"], capture_output=True,
                                   timeout=10).returncode == 0
            if not alive and os.path.exists(out_path):
                return True
            time.sleep(0.2)
        print("TinTin++ did not finish in %d s" % WAIT_SECONDS)
        return False
    finally:
        subprocess.run(tmux + ["kill-server"], capture_output=True, timeout=10)


def main():
    tool = sys.argv[1]
    tt = sys.argv[2] if len(sys.argv) > 2 else "/usr/games/tt++"
    if not os.access(tt, os.X_OK) or not shutil.which("tmux"):
        print("skipped: TinTin++ (%s) or tmux is not installed" % tt)
        return 77
    with tempfile.TemporaryDirectory(prefix="vormapper-tintin-") as tmp:
        exported = os.path.join(tmp, "exported.map")
        written = os.path.join(tmp, "written.map")
        touched = os.path.join(tmp, "touched")
        script = os.path.join(tmp, "script.tin")
        subprocess.run([tool, "write", exported, touched], check=True)
        with open(script, "w") as f:
            f.write("#map create\n#map read %s\n#map write %s\n#end\n" % (exported, written))
        if not run_tintin(tt, script, written):
            return 1

        failures = []
        ours_rooms, ours_exits = rooms_and_exits(exported)
        their_rooms, their_exits = rooms_and_exits(written)
        if len(ours_rooms) < 10 or len(ours_exits) < 20:
            failures.append("the export is too small to test anything")
        if their_rooms != ours_rooms:
            failures.append("rooms differ: exported %s, TinTin++ wrote %s" % (ours_rooms, their_rooms))
        if their_exits != ours_exits:
            failures.append("exits differ: only exported %s, only TinTin++ %s" %
                            (sorted(ours_exits - their_exits), sorted(their_exits - ours_exits)))
        if os.path.exists(touched):
            failures.append("a title or comment ran as a TinTin++ command: %s exists" % touched)
        back = subprocess.run([tool, "read", written], capture_output=True, text=True)
        if back.returncode != 0:
            failures.append("VorMapper cannot read what TinTin++ wrote: " + back.stderr.strip())
        for failure in failures:
            print("FAILED: " + failure)
        if not failures:
            print("TinTin++ kept %d rooms and %d exits; %s" % (len(their_rooms), len(their_exits),
                                                                back.stdout.strip()))
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
