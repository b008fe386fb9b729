#!/usr/bin/env bash
# The real window (offscreen) with a 5 ms timer on its event loop: prints
# how long an intake of 40,000 FLAC files (2,000 album folders of 20) takes
# and the longest the loop went without a tick meanwhile, and the same for a
# run through 10,000 of them. The run's library is window_benchmark's
# stand-in, which answers each batch at once with a track per file and
# reports every file converted, so the run measures the window and the
# queue (decoding included), not an encoder.
# Goals: no stall over 250 ms during the intake, none over 100 ms in the
# run. Exits 1 if one is missed.
#
# usage: bench/window.sh BIN   (BIN: the folder holding window_benchmark)
#        COLD=1 bench/window.sh build/release/bin   (as root: drop the page
#        cache before the intake, so the files come from the disk)
# The files go under BENCH_DIR (default /var/tmp, on disk where /tmp is
# often kept in memory).
set -euo pipefail
bin=$(cd "${1:?usage: bench/window.sh BIN}" && pwd)
benchmark=$bin/window_benchmark
albums=${ALBUMS:-2000}
run_albums=${RUN_ALBUMS:-500}
for tool in "$benchmark" flac; do
  command -v "$tool" > /dev/null || { echo "window.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d "${BENCH_DIR:-/var/tmp}/decant-window-XXXXXX")
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$TMPDIR" "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=offscreen
unset DBUS_SESSION_BUS_ADDRESS

total=$((albums * 20))
echo "window.sh: making $total tagged FLAC files ($albums albums of 20)"
# A twentieth of a second of silence: intake reads tags and STREAMINFO, and
# decoding such a file takes next to nothing, so the window's share shows.
head -c 8820 /dev/zero > "$work/silence.raw"
mkdir -p "$work/album"
for track in $(seq -w 1 20); do
  flac -s --no-padding --force-raw-format --endian=little --sign=signed --channels=2 \
    --bps=16 --sample-rate=44100 -T "TITLE=Track $track" -T "ARTIST=The Benchmarks" \
    -T "ALBUM=Sixty Thousand" -T "TRACKNUMBER=$track" -T "TRACKTOTAL=20" \
    -o "$work/album/$track - Track $track.flac" "$work/silence.raw"
done
mkdir -p "$work/tree"
for album in $(seq -w 1 "$albums"); do
  cp -r "$work/album" "$work/tree/Album $album"
done

echo "window.sh: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "${COLD:-0}" = 1 ]; then
  sync
  echo 3 > /proc/sys/vm/drop_caches
  echo "window.sh: page cache dropped: the intake reads from the disk"
else
  echo "window.sh: the files are in the page cache (COLD=1 drops it, as root)"
fi
# The offscreen platform warns that it cannot pass size hints on: not ours.
quiet() { grep -v propagateSizeHints >&2 || true; }
intake=$("$benchmark" intake "$total" "$work/tree" 2> >(quiet))
run_paths=()
for album in $(seq 1 "$run_albums"); do
  run_paths+=("$work/tree/Album $(printf "%0${#albums}d" "$album")") # as seq -w names them
done
run=$("$benchmark" run "${run_paths[@]}" 2> >(quiet))

# "<mode> files=N seconds=S longest_stall_ms=M"
awk -v intake="$intake" -v run="$run" '
  function field(line, name,    parts, i, pair) {
    split(line, parts, " ")
    for (i in parts) { split(parts[i], pair, "="); if (pair[1] == name) return pair[2] }
  }
  BEGIN {
    intake_stall = field(intake, "longest_stall_ms"); run_stall = field(run, "longest_stall_ms")
    printf "intake of %d files: %.2f s, longest stall %d ms (goal <= 250) %s\n", \
      field(intake, "files"), field(intake, "seconds"), intake_stall, \
      intake_stall <= 250 ? "met" : "MISSED"
    printf "run of %d files: %.2f s, longest stall %d ms (goal <= 100) %s\n", \
      field(run, "files"), field(run, "seconds"), run_stall, run_stall <= 100 ? "met" : "MISSED"
    exit !(intake_stall <= 250 && run_stall <= 100)
  }'
