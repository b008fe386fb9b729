#!/usr/bin/env bash
# Times decant-cli importing 20 tagged one-minute FLAC files into a fresh
# library against what a user would otherwise type: ffmpeg on each file, as
# many jobs at once as there are processors. Decant verifies every file's
# MD5 and goes through a WAV file on the way, and must still keep up.
# Goal: within 1.15 x the parallel ffmpeg runs, for aac at 256 kbit/s and for
# alac. Prints the median wall-time ratios measured side by side.
#
# usage: bench/pipeline.sh BIN   (BIN: the folder holding decant-cli)
#        RUNS=5 FILES=20 SECONDS_EACH=60 bench/pipeline.sh build/release/bin
set -euo pipefail
bin=$(cd "${1:?usage: bench/pipeline.sh BIN}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-3}
files=${FILES:-20}
seconds=${SECONDS_EACH:-60}
jobs=$(nproc)
for tool in "$bin/decant-cli" "$bin/decant-library" ffmpeg hyperfine; do
  command -v "$tool" > /dev/null || { echo "pipeline.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/decant-pipeline-XXXXXX")
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir -p "$TMPDIR"

echo "pipeline.sh: making $files tagged FLAC files of $seconds s"
"$root/scripts/make-album" "$work/album" "$files" "$seconds"
echo "pipeline.sh: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"

median_ratio() { # CSV of hyperfine with decant first, ffmpeg second
  python3 -c '
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1])))
decant, ffmpeg = (float(row["median"]) for row in rows)
print(f"{decant:.2f} s vs {ffmpeg:.2f} s: ratio {decant / ffmpeg:.3f}")' "$1"
}

for encoder in aac alac; do
  if [ "$encoder" = aac ]; then
    settings=(--encoder aac --bitrate 256); ffmpeg_codec=(-c:a aac -b:a 256k)
  else
    settings=(--encoder alac); ffmpeg_codec=(-c:a alac)
  fi
  library="$work/library-$encoder"
  out="$work/ffmpeg-$encoder"
  printf -v prepare_decant 'rm -rf %q && %q --library %q settings %s' \
    "$library" "$bin/decant-library" "$library" "${settings[*]}"
  printf -v run_decant '%q --library %q %q > /dev/null' "$bin/decant-cli" "$library" "$work/album"
  printf -v prepare_ffmpeg 'rm -rf %q && mkdir -p %q' "$out" "$out"
  printf -v run_ffmpeg 'cd %q && ls *.flac | xargs -P %d -I{} ffmpeg -v error -y -i {} %s %q/{}.m4a' \
    "$work/album" "$jobs" "${ffmpeg_codec[*]}" "$out"
  echo "pipeline.sh: $encoder, $runs runs each"
  hyperfine --style basic --runs "$runs" \
    --prepare "$prepare_decant" "$run_decant" \
    --prepare "$prepare_ffmpeg" "$run_ffmpeg" \
    --export-csv "$work/$encoder.csv" > "$work/$encoder.log"
  echo "pipeline.sh: $encoder: decant-cli $(median_ratio "$work/$encoder.csv") (goal 1.15)"
done
