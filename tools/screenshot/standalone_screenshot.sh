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
# Wait until the frame has painted: the screen shows white pixels.
for _ in $(seq 100); do
  sleep 0.2
  import -window root "$png" 2>/dev/null || continue
  white=$(convert "$png" -fill black +opaque white -format '%[fx:mean*w*h]' info:)
  [ "${white%.*}" -gt 20000 ] && break
done
echo "screenshot: $png"
white=$(convert "$png" -fill black +opaque white -format '%[fx:mean*w*h]' info:)
# Black pixels inside the white map area (the root window around it is black).
area=$(convert "$png" -fill black +opaque white -trim -format '%wx%h%O' info:)
black=$(convert "$png" -crop "$area" +repage -fill white +opaque black -negate -format '%[fx:mean*w*h]' info:)
echo "white pixels: ${white%.*}, black pixels in the map area $area: ${black%.*}"
[ "${white%.*}" -gt 20000 ] || { echo "the map area is not on the screen"; exit 1; }
[ "${black%.*}" -gt 100 ] || { echo "no room outlines on the screen"; exit 1; }
read -r w h x y <<<"$(echo "$area" | tr 'x+' '  ')"
python3 "$(dirname "$0")/room_outlines.py" "$png" "$x" "$y" "$w" "$h" --dpi "$dpi"
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
trap - EXIT
