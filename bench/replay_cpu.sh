#!/usr/bin/env bash
# The CPU time (user + system) of the whole-game replay without its shots, for each
# game given, the runs taken in turn so that all see the same machine:
#   bench/replay_cpu.sh [-n RUNS] NAME=GAME [NAME=GAME ...]
# GAME is a native program or a .js the WebAssembly build made (run by node). Each
# game plays on the demo its own build's pack tool (beside it) draws. Prints the
# median and the least of the runs, in seconds, and the peak memory.
set -euo pipefail
runs=5
if [ "${1:-}" = -n ]; then runs=$2; shift 2; fi
[ $# -gt 0 ] || { sed -n '2,7p' "$0" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/replay_cpu.XXXXXX")
trap 'rm -rf -- "$work"' EXIT
grep -v '^shot' "$root/tests/replays/whole_game.replay" > "$work/whole_game.replay"
seed=$(sed -n 's/^#! seed \([0-9]*\)$/\1/p' "$root/tests/replays/whole_game.replay")

command_of() {  # a program, or a .js for node
  case $1 in *.js) echo node "$1" ;; *) echo "$1" ;; esac
}
names=()
for entry in "$@"; do
  name=${entry%%=*} game=$(realpath "${entry#*=}")
  case $game in *.js) pack=$(dirname "$game")/shirakaba-pack.js ;; *) pack=$(dirname "$game")/shirakaba-pack ;; esac
  mkdir -p "$work/$name"
  $(command_of "$pack") demo "$work/$name/game" > /dev/null
  echo "$(command_of "$game")" > "$work/$name/command"
  names+=("$name")
done
for ((i = 0; i < runs; ++i)); do
  for name in "${names[@]}"; do
    (cd "$work/$name" && /usr/bin/time -a -o times -f "%U %S %M" $(cat command) --headless --data game \
      --replay "$work/whole_game.replay" --seed "$seed" > /dev/null)
  done
done
printf '%-12s %10s %10s %10s\n' game median_s least_s peak_MiB
for name in "${names[@]}"; do
  peak=$(awk '$3 > m { m = $3 } END { printf "%.1f", m / 1024 }' "$work/$name/times")
  awk '{ printf "%.3f\n", $1 + $2 }' "$work/$name/times" | sort -n \
    | awk -v name="$name" -v peak="$peak" '{ t[NR] = $1 } END { printf "%-12s %10.3f %10.3f %10s\n", name, t[int((NR + 1) / 2)], t[1], peak }'
done
