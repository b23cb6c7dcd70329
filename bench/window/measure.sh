#!/usr/bin/env bash
# Start-up time, idle processor use and peak memory of the game window beside a bare Qt window of
# the same size with the same timers and pictures: five runs of each, taking turns, in one Xvfb
# session, then the medians side by side.
#
# Usage: bench/window/measure.sh [RUNS] [IDLE_SECONDS]     (defaults 5 and 10)
# BIN_DIR overrides the folder of the programs (default build/bin); STATISTICS=1 measures the game
# with its statistics window open.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
bin=${BIN_DIR:-$root/build/bin}
runs=${1:-5}
idle=${2:-10}
game_file=$root/fuzz/corpus/game/default-game.qbgame

# Everything runs under one X server: a server started per run would add its own start-up.
if [ -z "${QUILLBURY_IN_XVFB:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    env QUILLBURY_IN_XVFB=1 STATISTICS="${STATISTICS:-}" "$0" "$runs" "$idle"
fi
unset QT_QPA_PLATFORM

if [ ! -x "$bin/bare_window" ]; then
  echo "$bin/bare_window is not built: cmake --build build --target bare_window" >&2
  exit 1
fi
programs=(bare)
if [ -x "$bin/quillbury" ]; then
  programs+=(game)
else
  echo "note: $bin/quillbury is not built; measuring the bare window only"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# One run: prints "first-paint-ms idle-cpu-percent peak-rss-kb", or nothing when the program did
# not report. The start is stamped just before exec, so interpreter start-up does not count.
measure() {
  local out=$work/out config
  config=$(mktemp -d "$work/config.XXXX")  # default settings every run
  XDG_CONFIG_HOME=$config QUILLBURY_MEASURE=$idle \
    timeout $((idle + 60)) python3 -c '
import os, sys, time
os.environ["QUILLBURY_T0_NS"] = str(time.monotonic_ns())
os.execv(sys.argv[1], sys.argv[1:])' "$@" >"$out" 2>"$work/stderr" || true
  awk '$1 == "first-paint-ms" { p = $2 } $1 == "idle-cpu-percent" { c = $2 }
       $1 == "peak-rss-kb" { m = $2 }
       END { if (p != "" && c != "" && m != "") print p, c, m }' "$out"
}

for ((i = 1; i <= runs; i++)); do
  for p in "${programs[@]}"; do
    if [ "$p" = bare ]; then
      result=$(measure "$bin/bare_window")
    else
      if [ -n "${STATISTICS:-}" ]; then
        result=$(QUILLBURY_MEASURE_STATISTICS=1 measure "$bin/quillbury" "$game_file")
      else
        result=$(measure "$bin/quillbury" "$game_file")
      fi
    fi
    if [ -z "$result" ]; then
      echo "run $i, $p: no figures; its last messages:"
      tail -5 "$work/stderr" >&2
    else
      echo "run $i, $p: $result"
      echo "$result" >>"$work/$p"
    fi
  done
done

median() {  # median of column $1 of file $2
  [ -s "$2" ] || { echo "-"; return; }
  cut -d' ' -f"$1" "$2" | sort -g | awk '{ v[NR] = $1 }
    END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo
printf '%-18s %10s %10s %12s   %s\n' "median of $runs" bare game difference goal
names=(first-paint-ms idle-cpu-percent peak-rss-kb)
for col in 1 2 3; do
  b=$(median "$col" "$work/bare")
  g=$(median "$col" "$work/game")
  diff=-
  goal=-
  if [ "$b" != - ] && [ "$g" != - ]; then
    case $col in
      1) diff=$(awk -v b="$b" -v g="$g" 'BEGIN { printf "%+.1f", g - b }')
         goal=$(awk -v b="$b" -v g="$g" 'BEGIN { print (g - b <= 100 ? "met" : "MISSED") " (at most +100 ms)" }') ;;
      2) diff=$(awk -v b="$b" -v g="$g" 'BEGIN { if (b > 0) printf "x%.2f", g / b; else print "-" }')
         goal=$(awk -v b="$b" -v g="$g" 'BEGIN { print (g <= 1.5 * b ? "met" : "MISSED") " (at most x1.5)" }') ;;
      3) diff=$(awk -v b="$b" -v g="$g" 'BEGIN { printf "%+d", g - b }')
         goal=$(awk -v b="$b" -v g="$g" 'BEGIN { print (g - b <= 15 * 1024 ? "met" : "MISSED") " (at most +15360 kB)" }') ;;
    esac
  fi
  printf '%-18s %10s %10s %12s   %s\n' "${names[$((col - 1))]}" "$b" "$g" "$diff" "$goal"
done
