#!/bin/bash
# The sound libraries come with the sound module, not with the program; a
# program whose module is missing plays the show silent: it covers the screen,
# the Introduction goes on with its titles, no audio device opens, and a key
# ends it with 0.
# Usage: e2e_no_sound_module.sh <zentravo> <data folder>
set -u
BIN=$1
DATA=$2

. "$(dirname "$0")/../e2e/lib.sh"
e2e_setup "$DATA" 1024x768

needed=$(readelf -d "$BIN" | grep NEEDED)
[ -n "$needed" ] || fail "readelf shows no libraries the program needs"
grep -qiE 'sdl|fluidsynth' <<<"$needed" && fail "the program itself links the sound libraries: $needed"

# The program alone, without the module beside it.
mkdir "$E2E_TMP/bin"
cp "$BIN" "$E2E_TMP/bin/"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$E2E_TMP/audio.raw

title1_shows() { shoot && awk -v r="$(convert "$SHOT" -crop 100x10+462+322 +repage -format '%[fx:maxima.r]' info:)" 'BEGIN { exit !(r > 0.5) }'; }
screen_black() { shoot && [ "$(brightest)" = 0 ]; }

start_program show "$E2E_TMP/bin/${BIN##*/}" /s
wait_until 10 screen_black || fail "the show did not cover the screen in black"
wait_until 10 title1_shows || fail "the Introduction did not go on without the sound module"
program_ended show && fail "the show ended"
[ -e "$SDL_DISKAUDIOFILE" ] && fail "an audio device opened without the sound module"
grep -qiE 'zentravo_sound|libSDL2' "/proc/$(program_pid show)/maps" && fail "sound libraries were loaded"
xdotool key space
[ "$(exit_code show 10)" = 0 ] || fail "a key did not end the show with 0"
echo "-- all checks passed"
