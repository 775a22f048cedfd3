#!/bin/bash
# Installs a build into a temporary DESTDIR and runs the installed game from
# another folder, with HOME and XDG_DATA_HOME in a temporary folder: first a
# short play in a window, ended as a desktop would end it, then a demo
# replay. The player's files must land in the XDG folders, made with the
# user's umask, what a cut-short save left there must be cleared, the replay
# must win and leave the player's files alone, and nothing may be written
# under the install tree or where the game was started.
#   install_test.sh BUILD SOURCE WORK
set -u
BUILD="$1" SOURCE="$2" WORK="$3"
ROOT="$WORK/root"
GAME="$ROOT/usr/games/tidewell"
DATA="$ROOT/usr/share/games/tidewell-quest"
PLAYER="$WORK/xdg-data/tidewell-quest"
SETTINGS="$WORK/home/.config/tidewell-quest"
GAME_PID=""

fail() {
  echo "FAIL: $*"
  [ -f "$WORK/game-output.txt" ] && cat "$WORK/game-output.txt"
  [ -f "$PLAYER/debug.log" ] && cat "$PLAYER/debug.log"
  exit 1
}
cleanup() { [ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null; rm -rf "$WORK"; }
trap cleanup EXIT

rm -rf "$WORK"
mkdir -p "$ROOT" "$WORK/home" "$WORK/xdg-data" "$WORK/elsewhere"
DESTDIR="$ROOT" cmake --install "$BUILD" --prefix /usr >"$WORK/install.txt" || fail "cmake --install: $(cat "$WORK/install.txt")"

for file in "$GAME" "$DATA/dat/lvl/levels.dat" "$DATA/dat/gulpy.dat" "$DATA/sfx/bubble.ogg" "$DATA/mus/title.ogg" \
            "$DATA/credits.txt" "$ROOT/usr/share/applications/tidewell-quest.desktop" \
            "$ROOT/usr/share/icons/hicolor/scalable/apps/tidewell-quest.svg"; do
  [ -s "$file" ] || fail "not installed: $file"
done
for size in 48 128 256; do
  png="$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/tidewell-quest.png"
  # A PNG's width and height are big-endian words at bytes 16 and 20.
  read -r -a header < <(od -An -tu1 -j16 -N8 "$png" 2>/dev/null)
  [ "${#header[@]}" -eq 8 ] || fail "no icon $png"
  width=$(( header[2] * 256 + header[3] )) height=$(( header[6] * 256 + header[7] ))
  [ "$width" -eq "$size" ] && [ "$height" -eq "$size" ] || fail "$png is ${width}x$height"
done
desktop-file-validate "$ROOT/usr/share/applications/tidewell-quest.desktop" || fail "desktop entry"

snapshot() { (cd "$ROOT" && find . -printf '%p %s %T@ %m\n' | sort); }
before="$(snapshot)"
export HOME="$WORK/home" XDG_DATA_HOME="$WORK/xdg-data"
unset XDG_CONFIG_HOME TIDEWELL_DATA_DIR TIDEWELL_USER_DIR
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
cd "$WORK/elsewhere" || fail "no folder"

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY for the windowed run"
mkdir -p "$PLAYER/profiles"
echo "cut short" >"$PLAYER/profiles.cfg.tmp"
echo "cut short" >"$PLAYER/profiles/gulpy.dat.tmp"
umask 027
"$GAME" --level 0 >"$WORK/game-output.txt" 2>&1 &
GAME_PID=$!
# The progress file is written after the game took over SIGTERM.
for _ in $(seq 600); do
  [ -s "$PLAYER/profiles/gulpy.dat" ] && break
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.2
done
[ -s "$PLAYER/profiles/gulpy.dat" ] || fail "no progress file in $PLAYER"
sleep 2
kill -TERM "$GAME_PID"
wait "$GAME_PID"
status=$?
GAME_PID=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"

for file in "$PLAYER/debug.log" "$PLAYER/profiles.cfg" "$PLAYER/profiles/gulpy.dat" "$SETTINGS/settings.cfg"; do
  [ -s "$file" ] || fail "missing $file"
done
expected="files (installed): data in $DATA/, player files in $PLAYER/, settings in $SETTINGS/"
grep -qxF "$expected" "$PLAYER/debug.log" || fail "the log does not say: $expected"
if grep -q 'datafile \[' "$PLAYER/debug.log"; then fail "a datafile error"; fi
made=("$SETTINGS" "$SETTINGS/settings.cfg" "$PLAYER/debug.log" "$PLAYER/profiles/gulpy.dat")
[ "$(stat -c %a "${made[@]}" | tr '\n' ' ')" = "750 640 640 640 " ] ||
  fail "not made with the umask: $(stat -c '%n %a' "${made[@]}")"
for file in "$PLAYER/profiles.cfg.tmp" "$PLAYER/profiles/gulpy.dat.tmp"; do
  [ -e "$file" ] && fail "a cut-short save was left: $file"
done

players_files() { find "$PLAYER" "$SETTINGS" -printf '%p %s %T@\n' | sort; }
played="$(players_files)"
umask 022
verdict="$("$GAME" --verify-demo "$SOURCE/assets/demos/00.demo" 2>&1)" || fail "the installed game's replay: $verdict"
[[ "$verdict" == "level 0: won"* ]] || fail "replay said: $verdict"
[ "$played" = "$(players_files)" ] || fail "a replay touched the player's files: $(diff <(echo "$played") <(players_files))"

[ -z "$(ls -A "$WORK/elsewhere")" ] || fail "wrote where it started: $(ls -A "$WORK/elsewhere")"
after="$(snapshot)"
[ "$before" = "$after" ] || fail "wrote under the install tree: $(diff <(echo "$before") <(echo "$after"))"
echo "installed game: data from $DATA, player files in $PLAYER and $SETTINGS"
