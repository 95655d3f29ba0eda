# The Wine of a build's kind (win32 or win64): its loader, its server, and
# whether this machine can run it. Sourced by the Wine scripts.
# Debian's /usr/bin/wine picks the 32-bit loader whenever it is installed,
# even on a machine that cannot run it, so the loader is called directly.
# VORMAPPER_NO_WIN32=1 treats 32-bit programs as unable to run, so that the
# path of such machines can be tried on any.

wine_loader() {  # wine_loader KIND
  local debian=/usr/lib/wine/wine plain=wine
  [ "$1" = win64 ] && debian=/usr/lib/wine/wine64 plain=wine64
  if [ -x "$debian" ]; then echo "$debian"; else command -v "$plain" || echo "$plain"; fi
}

# The 64-bit server serves programs of both kinds; the 32-bit one only where
# there is no other.
wine_server() {
  local s
  for s in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver32; do
    [ -x "$s" ] && { echo "$s"; return; }
  done
  command -v wineserver || echo wineserver
}

# Why this machine cannot run programs of KIND, in one line; nothing (and
# status 1) when it can.
wine_cannot_run() {  # wine_cannot_run KIND
  local loader out
  if [ "$1" = win32 ] && [ -n "${VORMAPPER_NO_WIN32:-}" ]; then
    echo "32-bit programs are treated as unable to run here (VORMAPPER_NO_WIN32 is set)"
    return 0
  fi
  loader=$(wine_loader "$1")
  if out=$("$loader" --version 2>&1); then
    return 1
  fi
  case "$out" in
    *"Exec format error"*) echo "this machine cannot run ${1#win}-bit programs ($loader: Exec format error)" ;;
    *"No such file"*|*"not found"*) echo "Wine's loader for ${1#win}-bit programs is not installed ($loader)" ;;
    *) echo "Wine's loader for ${1#win}-bit programs does not start: $loader: $(echo "$out" | head -1)" ;;
  esac
  return 0
}

# Exports the environment of the Wine directory DIR (made by a build's
# configure: DIR/arch names the kind) and sets WINE to its loader.
wine_use_dir() {  # wine_use_dir DIR
  local kind dir
  dir=$(cd "$1" && pwd)
  kind=$(cat "$dir/arch" 2>/dev/null || echo win32)
  export WINEPREFIX=$dir/prefix WINEARCH=$kind WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  WINE=$(wine_loader "$kind")
  export WINELOADER=$WINE WINESERVER=$(wine_server)
}
