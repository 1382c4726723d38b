#!/bin/bash
# The preview on a real X server: a host window of our own passes its id in
# hexadecimal; the strip's frames move on in a black window; destroying the
# host ends the preview. Without a window to show in (the root window, an
# input-only window, one already gone) it ends at once. On a scaled desktop
# it fills its host exactly.
# Usage: e2e_preview.sh <zentravo> <x11_tool> <built data folder>
set -u
ZENTRAVO=$1 X11_TOOL=$2 DATA=$3
. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA"

# A host window as program $1 (size $2 x $3, kind $4): HOSTID; `feed $1` destroys it.
start_host() {
  start_fed_program "$1" "$X11_TOOL" window host "${2:-152}" "${3:-112}" "${4:-}"
  HOSTID=$(first_line "$1")
  [ -n "$HOSTID" ] || fail "the host window did not open"
}

# --- 1. the frames move on in the centred box (26, 18, 100 x 75); the rest is black ---
start_host host2
start_program strip "$ZENTRAVO" /p "$(printf '0x%x' "$HOSTID")"
sleep 0.5
last="" changes=0
for i in $(seq 10); do
  shoot 152x112+10+10
  [ "$(brightest 26x112+0+0)" = 0 ] && [ "$(brightest 152x18+0+0)" = 0 ] || fail "shot $i: not black around the box"
  frame=$(convert "$SHOT" -crop 100x75+26+18 +repage rgb:- | md5sum)
  [ "$frame" != "$last" ] && changes=$((changes + 1))
  last=$frame
  sleep 0.2
done
(( changes >= 9 )) || fail "the frame changed $((changes - 1)) times between 10 shots 0.2 s or more apart"

# --- 2. the host destroys its window: the preview ends with 0 -------------
feed host2
HOSTID_GONE=$HOSTID
[ "$(exit_code strip 1)" = 0 ] || fail "the preview did not end with 0 within a second of its host window going"

# --- 3. no window to show in: the preview ends at once with 0 ----------------
ends_at_once() {
  start_program "$1" "$ZENTRAVO" "${@:2}"
  [ "$(exit_code "$1" 3)" = 0 ] || fail "\"${*:2}\" did not end at once with 0"
}
ROOT_ID=$(xwininfo -root | awk '/Window id:/ {print $4}')
start_host inputonly 152 112 input-only
ends_at_once gone /p "$HOSTID_GONE"
ends_at_once root /p "$ROOT_ID"
ends_at_once inputonly /p "$HOSTID"

# --- 4. at 144 dpi (Xft.dpi): the host's size exactly, the frame scaled (or less, to fit) and centred ---
echo "Xft.dpi: 144" | xrdb -merge
for host in "152 112 149x112+1+0" "400 300 150x113+125+93"; do
  read -r width height frame <<<"$host"
  start_host scaled "$width" "$height"
  start_program scaled_preview "$ZENTRAVO" /p "$HOSTID"
  tree() { xwininfo -tree -id "$HOSTID" | awk '/^ +0x/ { print $(NF-1) }' | paste -sd' '; }
  wait_until 5 eval '[ "$(tree)" = "${width}x${height}+0+0 $frame" ]' ||
    fail "in a ${width}x${height} host the preview's windows are $(tree), not ${width}x${height}+0+0 $frame"
  wait_until 2 eval 'shoot "${width}x${height}+10+10" && box && [ "$(describe)" = "$frame" ]' ||
    fail "the frame shows at $(describe)"
  feed scaled
  [ "$(exit_code scaled_preview 2)" = 0 ] || fail "the scaled preview did not end with its host"
done

echo "all checks passed"
