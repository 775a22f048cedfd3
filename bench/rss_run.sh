#!/bin/bash
# Plays a level in a window for a while and records the game's memory once a
# minute (resident set, its peak, CPU ticks so far, load average):
#   bench/rss_run.sh GAME_DIR DISPLAY [LEVEL] [MINUTES] [MAXFPS]
# for example: bench/rss_run.sh build/game :43 47 20 60 > rss.log
# GAME_DIR is copied to a scratch folder first, with a settings.cfg of a 1x
# window at MAXFPS frames a second, so no player's files are touched. The
# display must exist (start an Xvfb on it first). Lines go to stdout.
set -e
GAME_DIR="$(cd "$1" && pwd)"
export DISPLAY="$2"
LEVEL="${3:-47}"
MINUTES="${4:-20}"
MAXFPS="${5:-60}"
SCRATCH="$(mktemp -d /tmp/tidewell-rss-XXXXXX)"
cp -a "$GAME_DIR/." "$SCRATCH/"
rm -rf "$SCRATCH/profiles" "$SCRATCH"/*.cfg "$SCRATCH/debug.log"
printf 'maxfps %s\nwindowsize 1\nfullscreen 0\nvsync 0\n' "$MAXFPS" > "$SCRATCH/settings.cfg"
cd "$SCRATCH"
nice -n 10 ./tidewell --level "$LEVEL" > game.out 2>&1 &
GAME=$!
trap 'kill $GAME 2>/dev/null; rm -rf "$SCRATCH"' EXIT
for minute in $(seq 0 "$MINUTES"); do
  [ "$minute" -gt 0 ] && sleep 60
  if ! kill -0 $GAME 2>/dev/null; then echo "the game ended before minute $minute"; exit 1; fi
  rss=$(awk '/VmRSS/{print $2}' /proc/$GAME/status)
  peak=$(awk '/VmHWM/{print $2}' /proc/$GAME/status)
  ticks=$(awk '{print $14 + $15}' /proc/$GAME/stat)
  echo "minute $minute $(date -u +%T) rss_kb $rss peak_kb $peak cpu_ticks $ticks load $(cut -d' ' -f1-3 /proc/loadavg)"
done
