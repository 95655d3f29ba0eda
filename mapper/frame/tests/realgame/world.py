"""The test world, how to build it in the game, and what trace mode must make
of a walk through it."""

# Place key: (name, intended grid cell x, y, plane). North is y - 1.
PLACES = {
    "square": ("Town Square", 0, 0, 0),
    "nroad": ("North Road", 0, -1, 0),
    "market": ("East Market", 1, 0, 0),
    "tower": ("Old Tower", 1, -1, 0),
    "cellar": ("Wine Cellar", 0, 0, -1),
    "alley": ("Blind Alley", -1, 0, 0),   # a dead end: its only exit leads back
    "dark1": ("Dark Corridor", 2, 0, 0),  # two rooms of the same name
    "dark2": ("Dark Corridor", 2, -1, 0),
}

DIRS = ["north", "south", "east", "west", "northeast", "northwest", "southeast", "southwest", "up", "down"]
SHORT = ["n", "s", "e", "w", "ne", "nw", "se", "sw", "u", "d"]
STEP = [(0, -1, 0), (0, 1, 0), (1, 0, 0), (-1, 0, 0), (1, -1, 0), (-1, -1, 0), (1, 1, 0), (-1, 1, 0),
        (0, 0, 1), (0, 0, -1)]
OPPOSITE = [1, 0, 3, 2, 7, 6, 5, 4, 9, 8]

# Two-way exits (from, direction, to); the way back uses the opposite.
PAIRS = [
    ("square", "north", "nroad"), ("square", "east", "market"), ("square", "northeast", "tower"),
    ("nroad", "east", "tower"), ("market", "north", "tower"), ("square", "down", "cellar"),
    ("square", "west", "alley"), ("market", "east", "dark1"), ("tower", "east", "dark2"),
    ("dark2", "south", "dark1"),
]
# One-way exits: (from, direction, to, message shown to the walker first).
ONE_WAY = [("dark1", "southeast", "square", "You squeeze through a crack in the wall.")]

# What the walker sees that the settings file must know about.
WRONG_WAY = ["You can't go that way", "Huh?", "I don't see that here"]
IGNORE = ["You squeeze through"]
ACTIVATION = '%name says, "follow me"'
DIRECTION = "%name leaves %dir."
FOLLOW = "You follow %name."
STOP = '%name says, "stop following"'


def exits():
    """(from, direction index, to, message) for every exit of the world."""
    out = []
    for a, d, b in PAIRS:
        i = DIRS.index(d)
        out.append((a, i, b, None))
        out.append((b, OPPOSITE[i], a, None))
    for a, d, b, msg in ONE_WAY:
        out.append((a, DIRS.index(d), b, msg))
    return out


def destination(place, word):
    """Where a command word leads from a place, or None."""
    for a, i, b, _ in exits():
        if a == place and word.lower() in (DIRS[i], SHORT[i]):
            return b
    return None


def settings_ini():
    lines = ["[stop]", "count=%d" % len(WRONG_WAY)]
    lines += ["stop%d=%s" % (i, s) for i, s in enumerate(WRONG_WAY)]
    lines += ["[skip]", "count=%d" % len(IGNORE)]
    lines += ["skip%d=%s" % (i, s) for i, s in enumerate(IGNORE)]
    lines += ["[info]", "TitleLine=0", "[follow]", "activation=" + ACTIVATION, "direction=" + DIRECTION,
              "follow=" + FOLLOW, "stop=" + STOP]
    return "\r\n".join(lines) + "\r\n"


def build(wizard, players):
    """Builds the world as the wizard (a connected mux.Connection) and makes
    the players. Returns the place -> dbref map."""
    dbref = {"square": "#0"}
    out = wizard.command("@name #0=" + PLACES["square"][0])
    assert out == ["Name set."], out
    for key, (name, _, _, _) in PLACES.items():
        if key in dbref:
            continue
        out = wizard.command("@dig " + name)
        text = " ".join(out)
        assert "created as room #" in text, out
        dbref[key] = "#" + text.split("created as room #")[1].split(".")[0]
    for a, i, b, msg in exits():
        out = wizard.command("@tel " + dbref[a])
        out = wizard.command("@open %s;%s=%s" % (DIRS[i], SHORT[i], dbref[b]))
        assert any("Opened" in line for line in out), out
        # Others see where one went: "Bob leaves north."
        wizard.command("@osucc %s=leaves %s." % (DIRS[i], DIRS[i]))
        if msg:
            wizard.command("@succ %s=%s" % (DIRS[i], msg))
    wizard.command("@tel #0")
    for name, password in players:
        out = wizard.command("@pcreate %s=%s" % (name, password))
        assert any("created" in line for line in out), out
    return dbref


class TraceMap:
    """The map that trace mode (online, auto shift on) makes of a walk: rooms
    and links numbered from 1 in the order the mapper creates them."""

    def __init__(self):
        self.rooms = {1: {"x": 0, "y": 0, "plane": 0, "title": "", "links": [0] * 10}}
        self.links = {}
        self.current = 1

    def room_at(self, x, y, plane):
        for rid, r in self.rooms.items():
            if (r["x"], r["y"], r["plane"]) == (x, y, plane):
                return rid
        return None

    def move(self, d, title):
        cur = self.rooms[self.current]
        lid = cur["links"][d]
        if lid:
            link = self.links[lid]
            nxt = link["toRoom"] if link["fromRoom"] == self.current else link["fromRoom"]
            self.current = nxt
            if not self.rooms[nxt]["title"]:
                self.rooms[nxt]["title"] = title
            return
        dx, dy, dp = STEP[d]
        cell = (cur["x"] + dx, cur["y"] + dy, cur["plane"] + dp)
        found = self.room_at(*cell)
        if found is not None and self.rooms[found]["title"] != title:
            raise AssertionError("the walk would make the mapper shift rooms at %r" % (cell,))
        if found is None:
            found = len(self.rooms) + 1
            self.rooms[found] = {"x": cell[0], "y": cell[1], "plane": cell[2], "title": title, "links": [0] * 10}
        elif not self.rooms[found]["title"]:
            self.rooms[found]["title"] = title
        lid = len(self.links) + 1
        self.links[lid] = {"fromRoom": self.current, "toRoom": found, "fromDir": d, "toDir": OPPOSITE[d]}
        cur["links"][d] = lid
        self.rooms[found]["links"][OPPOSITE[d]] = lid
        self.current = found

    def as_json(self):
        return {
            "currentRoom": self.current,
            "rooms": [dict(id=rid, **r) for rid, r in sorted(self.rooms.items())],
            "links": [dict(id=lid, **l) for lid, l in sorted(self.links.items())],
        }


def map_of_dump(dump):
    """The part of `vmm dump` output that a walk decides."""
    return {
        "currentRoom": dump["currentRoom"],
        "rooms": [{k: r[k] for k in ("id", "x", "y", "plane", "title", "links")} for r in dump["rooms"]],
        "links": [{k: l[k] for k in ("id", "fromRoom", "toRoom", "fromDir", "toDir")} for l in dump["links"]],
    }
