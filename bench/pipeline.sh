#!/usr/bin/env bash
# Times decant-cli importing 20 tagged one-minute FLAC files into a fresh
# library against what a user would otherwise type: ffmpeg on each file, as
# many jobs at once as there are processors. Decant verifies every file's
# MD5, goes through a WAV file on the way, decodes every file it encodes
# back to prove it, and measures its loudness (Sound Check), and must still
# keep up. Goals: within 1.05 x the parallel ffmpeg runs for aac at
# 256 kbit/s, within 0.50 x for alac. Prints the median wall-time ratios
# measured side by side, and those of processor time: the import as it is,
# the import with Sound Check off (what loudness costs), and, when BASELINE
# names the folder of an older build's decant-cli and decant-library, that
# build's import (what verification and loudness together cost since then).
#
# usage: bench/pipeline.sh BIN   (BIN: the folder holding decant-cli)
#        RUNS=5 FILES=20 SECONDS_EACH=60 BASELINE=/tmp/old/bin bench/pipeline.sh build/release/bin
set -euo pipefail
bin=$(cd "${1:?usage: bench/pipeline.sh BIN}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-3}
files=${FILES:-20}
seconds=${SECONDS_EACH:-60}
baseline=${BASELINE:+$(cd "$BASELINE" && pwd)}
jobs=$(nproc)
for tool in "$bin/decant-cli" "$bin/decant-library" ${baseline:+"$baseline/decant-cli"} ffmpeg \
  hyperfine; do
  command -v "$tool" > /dev/null || { echo "pipeline.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/decant-pipeline-XXXXXX")
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR"

echo "pipeline.sh: making $files tagged FLAC files of $seconds s"
"$root/scripts/make-album" "$work/album" "$files" "$seconds"
echo "pipeline.sh: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

# The processor time (user and system, means) is less at the mercy of other
# programs than the wall time, and shows what a machine of its own would do.
ratios() { # CSV of hyperfine, ffmpeg last; labels of the others in order
  python3 -c '
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1])))
cpu = lambda row: float(row["user"]) + float(row["system"])
ffmpeg = rows[-1]
for label, row in zip(sys.argv[2:], rows):
    wall, other = float(row["median"]), float(ffmpeg["median"])
    print(f"  {label}: {wall:.2f} s vs {other:.2f} s: ratio {wall / other:.3f}"
          f" (processor time {cpu(row):.2f} s vs {cpu(ffmpeg):.2f} s: {cpu(row) / cpu(ffmpeg):.3f})")
' "$@"
}

for encoder in aac alac; do
  if [ "$encoder" = aac ]; then
    settings=(--encoder aac --bitrate 256); ffmpeg_codec=(-c:a aac -b:a 256k); goal=1.05
  else
    settings=(--encoder alac); ffmpeg_codec=(-c:a alac); goal=0.50
  fi
  library="$work/library-$encoder"
  out="$work/ffmpeg-$encoder"
  commands=() labels=()
  for sound_check in on off; do
    printf -v prepare 'rm -rf %q && %q --library %q settings %s --sound-check %s > /dev/null' \
      "$library" "$bin/decant-library" "$library" "${settings[*]}" "$sound_check"
    printf -v run '%q --library %q %q > /dev/null' "$bin/decant-cli" "$library" "$work/album"
    commands+=(--prepare "$prepare" "$run")
    labels+=("decant-cli, Sound Check $sound_check")
  done
  if [ -n "$baseline" ]; then
    printf -v prepare 'rm -rf %q && %q --library %q settings %s > /dev/null' \
      "$library" "$baseline/decant-library" "$library" "${settings[*]}"
    printf -v run '%q --library %q %q > /dev/null' "$baseline/decant-cli" "$library" "$work/album"
    commands+=(--prepare "$prepare" "$run")
    labels+=("baseline decant-cli")
  fi
  printf -v prepare 'rm -rf %q && mkdir -p %q' "$out" "$out"
  printf -v run 'cd %q && ls *.flac | xargs -P %d -I{} ffmpeg -v error -y -i {} %s %q/{}.m4a' \
    "$work/album" "$jobs" "${ffmpeg_codec[*]}" "$out"
  commands+=(--prepare "$prepare" "$run")
  echo "pipeline.sh: $encoder, $runs runs each"
  hyperfine --style basic --runs "$runs" "${commands[@]}" \
    --export-csv "$work/$encoder.csv" > "$work/$encoder.log"
  echo "pipeline.sh: $encoder (goal $goal), load average $(cut -d' ' -f1-3 /proc/loadavg):"
  ratios "$work/$encoder.csv" "${labels[@]}"
done
