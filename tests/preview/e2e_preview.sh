#!/bin/bash
# The preview on a real X server: a host window of our own passes its id in
# hexadecimal; the strip's frames move on every tick; destroying the host ends
# the preview. Without a window to show in (the root window, an input-only
# window, one already gone) it ends at once; a huge host costs no more memory.
# Usage: e2e_preview.sh <zentravo> <preview_host> <built data folder>
set -u
ZENTRAVO=$1 HOST=$2 DATA=$3
. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA"
DATADIR=$ZENTRAVO_WINDIR/Zentravo/Zorvik_The_Vexling

# Opens a host window as program $1 (of size $2 x $3, kind $4) and sets
# HOSTID; `feed $1` destroys the window.
start_host() {
  start_fed_program "$1" "$HOST" "${2:-152}" "${3:-112}" "${4:-}"
  HOSTID=$(first_line "$1")
  [ -n "$HOSTID" ] || fail "the host window did not open"
}
# The strip's frame in the middle of the centred box (26, 18, 100 x 75) of
# the last shot, from its colour; -1 for none.
frame() {
  local r g b k
  read -r r g b < <(convert "$SHOT" -crop 1x1+76+55 -depth 8 rgb:- | od -An -tu1)
  k=$(( (r - 10) / 10 ))
  (( k >= 0 && k < 20 && g == 240 - 10 * k && b == (37 * k) % 256 )) && echo $k || echo -1
}

# --- 1. a strip of solid colours: which frame, and how fast ----------------
args=()
for k in $(seq 0 19); do args+=("xc:rgb($((10 + 10 * k)),$((240 - 10 * k)),$(((37 * k) % 256)))"); done
convert -size 100x75 "${args[@]}" +append -type TrueColor "BMP3:$DATADIR/Z_Preview.bmp" ||
  fail "cannot write the test strip"

start_host host2
start_program strip "$ZENTRAVO" /p "$(printf '0x%x' "$HOSTID")"
sleep 0.5
last=-1 advances=0 t_first=$(ms)
for i in $(seq 16); do
  t_last=$(ms)
  shoot 152x112+10+10
  k=$(frame)
  (( k >= 0 )) || fail "shot $i: no frame of the strip in the middle"
  if (( last >= 0 )); then
    step=$(( (k - last + 20) % 20 ))
    (( step <= 5 )) || fail "shot $i: frame $last then $k is not the strip's order"
    advances=$((advances + step))
  else
    t_first=$t_last
  fi
  last=$k
  sleep 0.1
done
# About one frame per 170 ms; generous bounds, the shots themselves take time.
elapsed=$((t_last - t_first)) expected=$(( (t_last - t_first) / 170 ))
(( advances * 10 >= expected * 7 && advances * 10 <= expected * 13 + 10 )) ||
  fail "$advances frame changes in $elapsed ms (expected about $expected)"

# --- 2. the host destroys its window: the preview ends with 0 -------------
feed host2
HOSTID_GONE=$HOSTID
rc=$(exit_code strip 1)
[ "$rc" != running ] || fail "the preview still runs one second after its host window went"
[ "$rc" = 0 ] || fail "exit code $rc after the host window went"
program_ended host2 && fail "the host program itself ended"

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

# --- 4. a huge host window costs what a small one costs ----------------------
start_host huge 8000 8000
start_program huge_preview "$ZENTRAVO" /p "$HOSTID"
sleep 1.5
program_ended huge_preview && fail "the preview in a huge host ended by itself"
hwm=$(awk '/VmHWM/ {print $2}' "/proc/$(program_pid huge_preview)/status")
echo "peak memory with an 8000 x 8000 host: $hwm kB"
(( hwm < 120000 )) || fail "the preview in an 8000 x 8000 host peaked at $hwm kB"
feed huge
[ "$(exit_code huge_preview 3)" = 0 ] || fail "the huge host's preview did not end with its window"

echo "all checks passed"
