#!/usr/bin/env bash
# Starts VorMapper.exe standalone on a sample map (a recorded game session
# replayed by vmm.exe), takes a screenshot of the display, and checks that
# the map window shows: the white map, and black room outlines on it, as
# large on the screen as the screen's resolution asks (VORMAPPER_WINE_DPI,
# 96 when not set; the screenshot is standalone-<dpi>dpi.png at another).
#   standalone_screenshot.sh VorMapper.exe vmm.exe TRANSCRIPT SETTINGS_DIR OUT_DIR
set -euo pipefail
mapper=$1 vmm=$2 transcript=$3 settings=$4 out=$5
dpi=${VORMAPPER_WINE_DPI:-96}
png="$out/standalone.png"
[ "$dpi" = 96 ] || png="$out/standalone-${dpi}dpi.png"
here=$(cd "$(dirname "$0")/.." && pwd)
run="$here/wine/wine-run.sh"
mkdir -p "$out"
winpath() { echo "Z:$1" | tr / '\\'; }

"$run" "$vmm" replay --settings-dir "$(winpath "$settings")\\" --out "$(winpath "$out/sample.vmm")" \
  "$(winpath "$transcript")" >/dev/null
"$run" "$mapper" "$(winpath "$out/sample.vmm")" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
export DISPLAY=$(cat "$VORMAPPER_WINE_DIR/display")
# The map area (the root window around it is black) and its room outlines.
measure() {
  white=$(convert "$png" -fill black +opaque white -format '%[fx:mean*w*h]' info:)
  area=$(convert "$png" -fill black +opaque white -trim -format '%wx%h%O' info:)
  black=$(convert "$png" -crop "$area" +repage -fill white +opaque black -negate -format '%[fx:mean*w*h]' info:)
  read -r w h x y <<<"$(echo "$area" | tr 'x+' '  ')"
  [ "${white%.*}" -gt 20000 ] && [ "${black%.*}" -gt 100 ] &&
    python3 "$(dirname "$0")/room_outlines.py" "$png" "$x" "$y" "$w" "$h" --dpi "$dpi"
}
# Wait until the frame has painted its map: a screenshot of a window still
# being drawn is taken again.
for _ in $(seq 100); do
  sleep 0.2
  import -window root "$png" 2>/dev/null || continue
  measure >/dev/null 2>&1 && break
done
echo "screenshot: $png"
status=0
measure || status=1
echo "white pixels: ${white%.*}, black pixels in the map area $area: ${black%.*}"
[ "${white%.*}" -gt 20000 ] || echo "the map area is not on the screen"
[ "${black%.*}" -gt 100 ] || echo "no room outlines on the screen"
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
trap - EXIT
exit $status
